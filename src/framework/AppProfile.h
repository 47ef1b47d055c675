#pragma once
// The application's own profile file name, as the framework gives every
// application by default.

#include <string>

// The running program's module title followed by ".INI" (SETUP.EXE gives
// SETUP.INI). It holds no directory, so the private-profile functions look for
// it in the Windows directory.
std::string AfxGetAppProfileName();
