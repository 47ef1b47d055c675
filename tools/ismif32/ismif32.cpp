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

#include <memory>
#include <string>
#include <type_traits>

#include "StatusMif.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

std::string Text(const char* text)
{
    return text != nullptr ? text : "";
}

// Now, local time, as the DMTF date text.
std::string Now()
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
    return CStatusMif::FormatDate(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute,
                                  local.wSecond, -bias);
}

} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI
    InstallStatusMIF(LPSTR statusFile, LPSTR manufacturer, LPSTR product, LPSTR version,
                     LPSTR locale, LPSTR serialNumber, LPSTR message, BOOL success)
{
    // The name only: a path in it would put the file where no console looks.
    const std::string name = CStatusMif::MakeFileName(Text(statusFile));
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (name.empty() || length == 0 || length >= sizeof windows)
        return FALSE;
    std::string path(windows, length);
    if (path.back() != '\\')
        path += '\\';
    path += name;

    CStatusMif mif;
    mif.m_strManufacturer = Text(manufacturer);
    mif.m_strProduct = Text(product);
    mif.m_strVersion = Text(version);
    mif.m_strLocale = Text(locale);
    mif.m_strSerialNumber = Text(serialNumber);
    mif.m_strInstallation = Now();
    mif.m_strMessage = Text(message);
    mif.m_bSuccess = success != FALSE;
    const std::string text = mif.Format();

    // A file left from an earlier run is replaced: the console takes the
    // newest status.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return FALSE;
    }
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    if (!wrote || written != text.size()) {
        // A cut file would be read as a damaged status; none is better.
        file.reset();
        DeleteFileA(path.c_str());
        return FALSE;
    }
    return TRUE;
}
