// The status report without the library or its entry: silence. (The eight
// arguments in the library's order are read back by every unattended
// end-to-end row, through the stand-in of tests/stubs/ismif32.)
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "system/StatusReport.h"
#include "support/FilePath.h"

TEST(StatusReport, NoLibraryOrNoEntryIsSilent)
{
    // The stand-in without the entry goes next to this program, the first
    // place LoadLibrary looks (ISMIF32_STUB_DIR, set by CMake, is relative to it).
    const std::string here = CFilePath(CFilePath::locModule).GetString();
    const std::string installed = here + "ismif32.dll";
    const std::string source = here + ISMIF32_STUB_DIR "/noentry/ismif32.dll";
    DeleteFileA(installed.c_str());
    for (const bool library : {false, true}) {
        if (library) {
            ASSERT_TRUE(CopyFileA(source.c_str(), installed.c_str(), FALSE)) << source;
        }
        UINT before = SetErrorMode(0);
        EXPECT_FALSE(ReportInstallStatus("velmosaver", "Velmo", "Velmo Screen Saver", "1.0",
                                         "Install failed.", false, "ENU", nullptr))
            << library;
        EXPECT_EQ(SetErrorMode(before), 0u) << "the error mode is back as it was";
        EXPECT_EQ(GetModuleHandleA("ismif32.dll"), nullptr) << "the library was left loaded";
    }
    DeleteFileA(installed.c_str());
}
