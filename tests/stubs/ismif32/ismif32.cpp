// A stand-in for the systems-management status library, for tests.
//
// It exports InstallStatusMIF, undecorated and __stdcall, as the real library
// does. Each call appends one line to the file named by the environment
// variable ISMIF32_LOG (read at each call; nothing is written when it is
// unset): the eight arguments in the order received, separated by '|', a null
// pointer as <null>, the success flag as a number:
//
//     velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Install failed.|0
//
// The test puts ismif32.dll where LoadLibraryA finds it (next to the program).

#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>

extern "C" __declspec(dllexport) BOOL WINAPI
    InstallStatusMIF(LPSTR statusFile, LPSTR manufacturer, LPSTR product, LPSTR version,
                     LPSTR locale, LPSTR serialNumber, LPSTR message, BOOL success)
{
    char log[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableA("ISMIF32_LOG", log, sizeof log);
    if (length == 0 || length >= sizeof log)
        return TRUE;
    std::string line;
    for (const char* text :
         {statusFile, manufacturer, product, version, locale, serialNumber, message})
        line += std::string(text != nullptr ? text : "<null>") + '|';
    line += std::to_string(success) + '\n';
    if (FILE* file = std::fopen(log, "ab")) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fclose(file);
    }
    return TRUE;
}
