#pragma once
// The two questions the program asks about the operating system. Both read
// the system's version record afresh on every call (GetVersionExA with the
// plain 148-byte record).

// The major version is 4 or more: shortcuts are shell-link files in the Start
// Menu rather than Program Manager items.
bool IsVersion4OrLater();

// The platform is Windows NT (VER_PLATFORM_WIN32_NT): the profile group
// "System95" is never installed there.
bool IsWindowsNT();
