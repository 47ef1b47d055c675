#include "system/PlatformChecks.h"

#include <windows.h>

namespace {

// The plain version record: its size set and everything else zero, so that a
// call that fails leaves version 0 of no platform.
OSVERSIONINFOA ReadVersion()
{
    OSVERSIONINFOA info = {};
    static_assert(sizeof info == 148, "the plain version record");
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    return info;
}

} // namespace

bool IsVersion4OrLater()
{
    return ReadVersion().dwMajorVersion >= 4;
}

bool IsWindowsNT()
{
    return ReadVersion().dwPlatformId == VER_PLATFORM_WIN32_NT;
}
