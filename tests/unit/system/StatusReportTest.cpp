// The status report through the stand-in libraries of tests/stubs/ismif32,
// put next to this program (the first place LoadLibrary looks): the eight
// arguments in the library's order; silence without the library or its entry.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "system/StatusReport.h"
#include "support/FilePath.h"

namespace {

std::string ProgramDirectory()
{
    return CFilePath(CFilePath::locModule).GetString();
}

const std::string kInstalled = ProgramDirectory() + "ismif32.dll";
const std::string kLog = ProgramDirectory() + "ismif32-system-test.log";

// Installs the stand-in (ISMIF32_STUB_DIR, set by CMake, is relative to this
// program; variant "noentry/" is the library without the entry) or none.
struct CInstalledStub {
    explicit CInstalledStub(const std::string& variant)
    {
        DeleteFileA(kLog.c_str());
        SetEnvironmentVariableA("ISMIF32_LOG", kLog.c_str());
        std::string source = ProgramDirectory() + ISMIF32_STUB_DIR "/" + variant + "ismif32.dll";
        EXPECT_TRUE(variant == "none" || CopyFileA(source.c_str(), kInstalled.c_str(), FALSE))
            << source;
    }
    ~CInstalledStub()
    {
        EXPECT_EQ(GetModuleHandleA("ismif32.dll"), nullptr) << "the library was left loaded";
        DeleteFileA(kInstalled.c_str());
        DeleteFileA(kLog.c_str());
    }
};

} // namespace

TEST(StatusReport, TheArgumentsReachTheLibraryInItsOrder)
{
    CInstalledStub stub("");
    // Eight distinct values, so that any two swapped arguments show (the
    // end-to-end rows read back finished and failed runs' reports).
    EXPECT_TRUE(
        ReportInstallStatus("file", "maker", "product", "2.5", "message", true, "DEU", "SN-42"));
    std::ostringstream log;
    log << std::ifstream(kLog, std::ios::binary).rdbuf();
    EXPECT_EQ(log.str(), "file|maker|product|2.5|DEU|SN-42|message|1\n");
}

TEST(StatusReport, NoLibraryOrNoEntryIsSilent)
{
    for (const char* variant : {"none", "noentry/"}) {
        CInstalledStub stub(variant);
        UINT before = SetErrorMode(0);
        EXPECT_FALSE(ReportInstallStatus("velmosaver", "Velmo", "Velmo Screen Saver", "1.0",
                                         "Install failed.", false, "ENU", nullptr))
            << variant;
        EXPECT_EQ(SetErrorMode(before), 0u) << "the error mode is back as it was";
        EXPECT_EQ(GetFileAttributesA(kLog.c_str()), INVALID_FILE_ATTRIBUTES) << variant;
    }
}
