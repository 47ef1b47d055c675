// ismif32.dll, the status library shipped on the first diskette for
// administrators who deploy the product unattended: the setup program calls
// InstallStatusMIF once as it ends, and the library writes the outcome as a
// status file in the Windows directory, where desktop-management consoles
// collect it.
//
// Exported undecorated and __stdcall:
//
//     BOOL WINAPI InstallStatusMIF(LPSTR statusFile, LPSTR manufacturer, LPSTR product,
//                                  LPSTR version, LPSTR locale, LPSTR serialNumber,
//                                  LPSTR message, BOOL success);
//
// statusFile names the file (extension .MIF added); any text may be null and
// reads as empty. The result is TRUE when the whole file was written.

#include <windows.h>

#include <cstring>
#include <memory>
#include <type_traits>

#include "StatusMif.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

const char* Text(const char* text)
{
    return text != nullptr ? text : "";
}

// Now, local time, as the DMTF date text in date.
const char* Now(char (&date)[CStatusMif::kDateSize])
{
    SYSTEMTIME local;
    GetLocalTime(&local);
    TIME_ZONE_INFORMATION zone;
    const DWORD mode = GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias;
    if (mode == TIME_ZONE_ID_DAYLIGHT)
        bias += zone.DaylightBias;
    else if (mode == TIME_ZONE_ID_STANDARD)
        bias += zone.StandardBias;
    else if (mode == TIME_ZONE_ID_INVALID)
        bias = 0;
    return CStatusMif::FormatDate(date, local.wYear, local.wMonth, local.wDay, local.wHour,
                                  local.wMinute, local.wSecond, -bias);
}

} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI
    InstallStatusMIF(LPSTR statusFile, LPSTR manufacturer, LPSTR product, LPSTR version,
                     LPSTR locale, LPSTR serialNumber, LPSTR message, BOOL success)
{
    // The name only: a path in it would put the file where no console looks.
    char path[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path - 1)
        return FALSE;
    size_t end = length;
    if (path[end - 1] != '\\')
        path[end++] = '\\';
    if (!CStatusMif::MakeFileName(Text(statusFile), path + end, sizeof path - end))
        return FALSE;

    char date[CStatusMif::kDateSize];
    CStatusMif mif;
    mif.m_pszManufacturer = Text(manufacturer);
    mif.m_pszProduct = Text(product);
    mif.m_pszVersion = Text(version);
    mif.m_pszLocale = Text(locale);
    mif.m_pszSerialNumber = Text(serialNumber);
    mif.m_pszInstallation = Now(date);
    mif.m_pszMessage = Text(message);
    mif.m_bSuccess = success != FALSE;
    const char* text = mif.Format();
    const DWORD size = static_cast<DWORD>(strlen(text));

    // A file left from an earlier run is replaced: the console takes the
    // newest status.
    FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return FALSE;
    }
    DWORD written = 0;
    const BOOL wrote = WriteFile(file.get(), text, size, &written, nullptr);
    if (!wrote || written != size) {
        // A cut file would be read as a damaged status; none is better.
        file.reset();
        DeleteFileA(path);
        return FALSE;
    }
    return TRUE;
}
