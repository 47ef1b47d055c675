#include "system/StatusReport.h"

#include <memory>
#include <type_traits>

namespace {

// The entry takes non-const pointers but writes through none of them.
using InstallStatusMIFProc = BOOL(WINAPI*)(LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, BOOL);

struct LibraryDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LibraryHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryDeleter>;

LPSTR Text(const char* text)
{
    return const_cast<LPSTR>(text);
}

} // namespace

bool ReportInstallStatus(const char* statusFile, const char* manufacturer, const char* product,
                         const char* version, const char* message, bool success, const char* locale,
                         const char* serialNumber)
{
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    LibraryHandle library(LoadLibraryA("ismif32.dll"));
    SetErrorMode(oldMode);
    if (!library)
        return false;

    auto entry = reinterpret_cast<InstallStatusMIFProc>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), "InstallStatusMIF")));
    if (entry == nullptr)
        return false;

    return entry(Text(statusFile), Text(manufacturer), Text(product), Text(version), Text(locale),
                 Text(serialNumber), Text(message), success ? TRUE : FALSE) != FALSE;
}
