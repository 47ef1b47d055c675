#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "system/StatusReport.h"

// The stand-in status libraries, relative to this program's directory (set by CMake).
#ifndef ISMIF32_STUB_DIR
#error ISMIF32_STUB_DIR must name the directory of the test ismif32.dll
#endif

namespace {

std::string ProgramDirectory()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\') + 1);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Puts a stand-in ismif32.dll next to this program (the first place LoadLibrary
// looks), or none, and points the stub's log at a fresh temporary file.
class StatusReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_installed = ProgramDirectory() + "ismif32.dll";
        DeleteFileA(m_installed.c_str());
        ASSERT_FALSE(FileExists(m_installed));
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
        m_log = std::string(temp) + "ismif32-test.log";
        DeleteFileA(m_log.c_str());
        SetEnvironmentVariableA("ISMIF32_LOG", m_log.c_str());
        SetEnvironmentVariableA("ISMIF32_RESULT", nullptr);
    }

    void TearDown() override
    {
        EXPECT_EQ(GetModuleHandleA("ismif32.dll"), nullptr) << "the library was left loaded";
        DeleteFileA(m_installed.c_str());
        DeleteFileA(m_log.c_str());
        SetEnvironmentVariableA("ISMIF32_LOG", nullptr);
        SetEnvironmentVariableA("ISMIF32_RESULT", nullptr);
    }

    // variant: "" for the stub with the entry, "noentry/" for the one without.
    void Install(const std::string& variant)
    {
        std::string source = ProgramDirectory() + ISMIF32_STUB_DIR "/" + variant + "ismif32.dll";
        ASSERT_TRUE(CopyFileA(source.c_str(), m_installed.c_str(), FALSE)) << source;
    }

    std::string m_installed;
    std::string m_log;
};

} // namespace

TEST_F(StatusReport, FinishedRunReachesTheLibraryInItsOrder)
{
    Install("");
    EXPECT_TRUE(ReportInstallStatus("velmosaver", "Velmo", "Velmo Screen Saver", "1.0",
                                    "Successful installation.", true, "ENU", nullptr));
    EXPECT_EQ(ReadFile(m_log),
              "velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Successful installation.|1\n");
}

TEST_F(StatusReport, CancelledRunReportsFailureWithFlagZero)
{
    Install("");
    EXPECT_TRUE(ReportInstallStatus("velmosaver", "Velmo", "Velmo Screen Saver", "1.0",
                                    "Install failed.", false, "ENU", nullptr));
    EXPECT_EQ(ReadFile(m_log),
              "velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Install failed.|0\n");
}

TEST_F(StatusReport, EveryArgumentHasItsOwnPlace)
{
    Install("");
    // Eight distinct values, so that any two swapped arguments show.
    EXPECT_TRUE(
        ReportInstallStatus("file", "maker", "product", "2.5", "message", true, "DEU", "SN-42"));
    EXPECT_EQ(ReadFile(m_log), "file|maker|product|2.5|DEU|SN-42|message|1\n");
}

TEST_F(StatusReport, ReturnsTheEntrysResult)
{
    Install("");
    SetEnvironmentVariableA("ISMIF32_RESULT", "0");
    EXPECT_FALSE(ReportInstallStatus("velmosaver", "Velmo", "Velmo Screen Saver", "1.0",
                                     "Install failed.", false, "ENU", nullptr));
    // The call was made all the same.
    EXPECT_EQ(ReadFile(m_log),
              "velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Install failed.|0\n");
}

TEST_F(StatusReport, NoLibraryIsSilent)
{
    UINT before = SetErrorMode(0);
    EXPECT_FALSE(ReportInstallStatus("velmosaver", "Velmo", "Velmo Screen Saver", "1.0",
                                     "Install failed.", false, "ENU", nullptr));
    // The error mode is back as it was, and nothing was written.
    EXPECT_EQ(SetErrorMode(before), 0u);
    EXPECT_FALSE(FileExists(m_log));
}

TEST_F(StatusReport, LibraryWithoutTheEntryIsSilentAndUnloaded)
{
    Install("noentry/");
    EXPECT_FALSE(ReportInstallStatus("velmosaver", "Velmo", "Velmo Screen Saver", "1.0",
                                     "Install failed.", false, "ENU", nullptr));
    EXPECT_FALSE(FileExists(m_log));
}
