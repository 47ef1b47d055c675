// The real ismif32.dll under Wine: loaded as the setup program loads it, its
// entry called for a finished and a failed run, the status file read back from
// the Windows directory.
#include <gtest/gtest.h>

#include "common/TestFiles.h"

#include <windows.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>

namespace {

using InstallStatusMIFProc = BOOL(WINAPI*)(LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, LPSTR, BOOL);

struct LibraryDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LibraryHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryDeleter>;

std::string ProgramDirectory()
{
    char path[MAX_PATH];
    std::string text(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return text.substr(0, text.find_last_of('\\') + 1);
}

std::string WindowsFile(const std::string& name)
{
    char windows[MAX_PATH];
    std::string path(windows, GetWindowsDirectoryA(windows, sizeof windows));
    return path + "\\" + name;
}

LPSTR Text(const char* text)
{
    return const_cast<LPSTR>(text);
}

class Ismif32Dll : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = ProgramDirectory() + ISMIF32_DIR "/ismif32.dll";
        m_library.reset(LoadLibraryA(path.c_str()));
        ASSERT_TRUE(m_library) << path;
        m_entry = reinterpret_cast<InstallStatusMIFProc>(
            reinterpret_cast<void*>(GetProcAddress(m_library.get(), "InstallStatusMIF")));
        ASSERT_NE(m_entry, nullptr) << "InstallStatusMIF is not exported undecorated";
        DeleteFileA(m_file.c_str());
    }
    void TearDown() override { DeleteFileA(m_file.c_str()); }

    BOOL Report(const char* message, BOOL success, const char* serial = nullptr)
    {
        return m_entry(Text("velmotest"), Text("Velmo"), Text("Velmo Screen Saver"), Text("1.0"),
                       Text("ENU"), Text(serial), Text(message), success);
    }

    LibraryHandle m_library;
    InstallStatusMIFProc m_entry = nullptr;
    const std::string m_file = WindowsFile("velmotest.MIF");
};

// The attribute's VALUE line after NAME = "name".
std::string ValueOf(const std::string& text, const std::string& name)
{
    size_t at = text.find("NAME = \"" + name + "\"");
    if (at == std::string::npos)
        return "<no attribute " + name + ">";
    at = text.find("VALUE = ", at);
    return text.substr(at + 8, text.find("\r\n", at) - at - 8);
}

} // namespace

TEST_F(Ismif32Dll, FinishedRunWritesSuccessIntoTheWindowsDirectory)
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
}

TEST_F(Ismif32Dll, FailedRunReplacesAnEarlierFileWithFailed)
{
    ASSERT_TRUE(Report("Successful installation.", TRUE));
    EXPECT_TRUE(Report("Install failed.", FALSE));
    const std::string text = ReadWholeFile(m_file);
    EXPECT_EQ(ValueOf(text, "Status"), "\"Failed\"");
    EXPECT_EQ(ValueOf(text, "Description"), "\"Install failed.\"");
    EXPECT_EQ(ValueOf(text, "Serial Number"), "\"\"");
    EXPECT_EQ(text.find("Success"), std::string::npos);
}

TEST_F(Ismif32Dll, NameThatLeavesTheWindowsDirectoryWritesNothing)
{
    const std::string escaped = ProgramDirectory() + "escaped.MIF";
    DeleteFileA(escaped.c_str());
    const std::string name = ProgramDirectory() + "escaped";
    EXPECT_FALSE(m_entry(Text(name.c_str()), Text("Velmo"), Text("P"), Text("1.0"), Text("ENU"),
                         nullptr, Text("Install failed."), FALSE));
    EXPECT_EQ(GetFileAttributesA(escaped.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(m_entry(nullptr, Text("Velmo"), Text("P"), Text("1.0"), Text("ENU"), nullptr,
                         Text("m"), TRUE));
}
