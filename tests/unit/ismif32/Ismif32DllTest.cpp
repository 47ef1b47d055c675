// The real ismif32.dll under Wine: loaded as the setup program loads it, its
// entry called for a finished and a failed run, the status file read back from
// the Windows directory.
#include <gtest/gtest.h>

#include "common/TestFiles.h"

#include <windows.h>

#include <string>

#include "support/FilePath.h"

std::string ValueOf(const std::string& text, const std::string& name); // StatusMifTest.cpp

namespace {

using InstallStatusMIFProc = BOOL(WINAPI*)(LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, BOOL);

LPSTR Text(const char* text)
{
    return const_cast<LPSTR>(text);
}

class Ismif32Dll : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = m_here + ISMIF32_DIR "/ismif32.dll";
        m_library = LoadLibraryA(path.c_str());
        ASSERT_NE(m_library, nullptr) << path;
        m_entry = reinterpret_cast<InstallStatusMIFProc>(
            reinterpret_cast<void*>(GetProcAddress(m_library, "InstallStatusMIF")));
        ASSERT_NE(m_entry, nullptr) << "InstallStatusMIF is not exported undecorated";
        DeleteFileA(m_file.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(m_file.c_str());
        FreeLibrary(m_library);
    }

    BOOL Report(const char* message, BOOL success, const char* serial = nullptr)
    {
        return m_entry(Text("velmotest"), Text("Velmo"), Text("Velmo Screen Saver"), Text("1.0"),
                       Text("ENU"), Text(serial), Text(message), success);
    }

    HMODULE m_library = nullptr;
    InstallStatusMIFProc m_entry = nullptr;
    const std::string m_here = CFilePath(CFilePath::locModule).GetString();
    const std::string m_file = CFilePath(CFilePath::locWindows).GetString() + "velmotest.MIF";
};

} // namespace

TEST_F(Ismif32Dll, FinishedRunWritesSuccessIntoTheWindowsDirectoryAndAFailedOneReplacesIt)
{
    EXPECT_TRUE(Report("Successful installation.", TRUE, "SN-42"));
    const std::string text = ReadWholeFile(m_file);
    ASSERT_FALSE(text.empty()) << m_file;
    EXPECT_EQ(text.rfind("START COMPONENT\r\n", 0), 0u);
    EXPECT_EQ(ValueOf(text, "Manufacturer"), "\"Velmo\"");
    EXPECT_EQ(ValueOf(text, "Product"), "\"Velmo Screen Saver\"");
    EXPECT_EQ(ValueOf(text, "Version"), "\"1.0\"");
    EXPECT_EQ(ValueOf(text, "Locale"), "\"ENU\"");
    EXPECT_EQ(ValueOf(text, "Serial Number"), "\"SN-42\"");
    EXPECT_EQ(ValueOf(text, "Status"), "\"Success\"");
    EXPECT_EQ(ValueOf(text, "Description"), "\"Successful installation.\"");
    // The installation time is this year's date, in the DMTF form.
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string installed = ValueOf(text, "Installation");
    EXPECT_EQ(installed.substr(0, 5), "\"" + std::to_string(now.wYear)) << installed;
    EXPECT_EQ(installed.size(), 27u) << installed;

    EXPECT_TRUE(Report("Install failed.", FALSE));
    const std::string failed = ReadWholeFile(m_file);
    EXPECT_EQ(ValueOf(failed, "Status"), "\"Failed\"");
    EXPECT_EQ(ValueOf(failed, "Description"), "\"Install failed.\"");
    EXPECT_EQ(ValueOf(failed, "Serial Number"), "\"\"");
    EXPECT_EQ(failed.find("Success"), std::string::npos);
}

TEST_F(Ismif32Dll, NameThatLeavesTheWindowsDirectoryWritesNothing)
{
    const std::string escaped = m_here + "escaped.MIF";
    DeleteFileA(escaped.c_str());
    const std::string name = m_here + "escaped";
    EXPECT_FALSE(m_entry(Text(name.c_str()), Text("Velmo"), Text("P"), Text("1.0"), Text("ENU"),
                         nullptr, Text("Install failed."), FALSE));
    EXPECT_EQ(GetFileAttributesA(escaped.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(m_entry(nullptr, Text("Velmo"), Text("P"), Text("1.0"), Text("ENU"), nullptr,
                         Text("m"), TRUE));
}
