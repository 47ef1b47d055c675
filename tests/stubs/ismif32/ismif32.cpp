// A stand-in for the systems-management status library, for tests.
//
// It exports InstallStatusMIF, undecorated and __stdcall (WINAPI), as the real
// library does and as ReportInstallStatus calls it. Each call appends one line
// to the file named by the environment variable ISMIF32_LOG (nothing is written
// when it is unset): the eight arguments in the order received, separated by
// '|', a null pointer written as <null>, the success flag as a number:
//
//     velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Install failed.|0
//
// The call returns TRUE, or FALSE when ISMIF32_RESULT is "0".
//
// To use it, put ismif32.dll where LoadLibraryA finds it: next to the program
// under test, or in the Wine prefix's C:\windows\system32; set ISMIF32_LOG
// (GetEnvironmentVariableA is read at each call, so SetEnvironmentVariableA in
// the test process works too). The noentry variant is a library of the same
// name without the entry, for the missing-entry case.

#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

std::string Environment(const char* name)
{
    char value[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (length == 0 || length >= sizeof value)
        return std::string();
    return std::string(value, length);
}

void Field(std::string& line, const char* text)
{
    line += text != nullptr ? text : "<null>";
    line += '|';
}

} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI
    InstallStatusMIF(LPSTR statusFile, LPSTR manufacturer, LPSTR product, LPSTR version,
                     LPSTR locale, LPSTR serialNumber, LPSTR message, BOOL success)
{
    std::string log = Environment("ISMIF32_LOG");
    if (!log.empty()) {
        std::string line;
        for (const char* text :
             {statusFile, manufacturer, product, version, locale, serialNumber, message})
            Field(line, text);
        line += std::to_string(success);
        line += '\n';
        if (FILE* file = std::fopen(log.c_str(), "ab")) {
            std::fwrite(line.data(), 1, line.size(), file);
            std::fclose(file);
        }
    }
    return Environment("ISMIF32_RESULT") == "0" ? FALSE : TRUE;
}
