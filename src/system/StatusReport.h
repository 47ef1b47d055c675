#pragma once
// The outcome report to a systems-management agent.
//
// The agent, when one is installed, provides "ismif32.dll" with the entry
//
//     BOOL WINAPI InstallStatusMIF(LPSTR statusFile, LPSTR manufacturer, LPSTR product,
//                                  LPSTR version, LPSTR locale, LPSTR serialNumber,
//                                  LPSTR message, BOOL success);
//
// exported under that undecorated name. What it records, and where, is its own
// business.

#include <windows.h>

// Loads the library, calls its entry once and unloads it again. The arguments
// are taken in this order but passed in the library's, which has locale and
// serial number before message and success. serialNumber may be null; every
// other text must not be. Returns the entry's result, or false, silently, when
// the library or its entry is missing. Critical-error boxes are suppressed
// while the library is looked for (the search passes the current directory,
// perhaps an empty diskette drive).
bool ReportInstallStatus(const char* statusFile, const char* manufacturer, const char* product,
                         const char* version, const char* message, bool success, const char* locale,
                         const char* serialNumber);
