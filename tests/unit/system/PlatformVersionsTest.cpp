// The program on the system versions it adapts to. Wine reports the version
// that HKCU\Software\Wine\AppDefaults\<program file name> "Version" names,
// read when a process starts; so the driver case copies this test program to
// unit_system-<version>.exe, sets that key for the copy, and runs the copy's
// OnPlatform cases (SETUP_TEST_PLATFORM tells them which version to expect):
//   win95  4.0, not NT: shell links
//   nt40   NT 4.0: shell links
//   nt351  NT 3.51: Program Manager over DDE (stand-in server, second process)
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "profile/DestinationMap.h"
#include "profile/ShortcutTargetMap.h"
#include "system/PlatformChecks.h"
#include "system/StartMenuGroups.h"
#include "unit/support/ScratchDirectory.h"
#include "unit/system/ProgmanStub.h"
#include "unit/system/ShellLinkFiles.h"
#include "unit/system/UserKeyOverride.h"

namespace {

struct SPlatform {
    const char* wineVersion;
    bool version4;
    bool nt;
};

const SPlatform kPlatforms[] = {
    {"win95", true, false}, {"nt40", true, true}, {"nt351", false, true}};

// The platform a child run was started for; null in the driver's own run.
const SPlatform* ChildPlatform()
{
    char name[16] = "";
    GetEnvironmentVariableA("SETUP_TEST_PLATFORM", name, sizeof name);
    for (const SPlatform& platform : kPlatforms) {
        if (std::string(name) == platform.wineVersion)
            return &platform;
    }
    return nullptr;
}

std::string ReadFile(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Runs this program's OnPlatform cases in a copy that Wine starts with the
// given version; the exit code, the output in output.
DWORD RunChild(const SPlatform& platform, std::string& output)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string name = std::string("unit_system-") + platform.wineVersion + ".exe";
    std::string copy = ProgramDirectory() + name;
    std::string outputFile = copy + ".out";
    EXPECT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    std::string key = "Software\\Wine\\AppDefaults\\" + name;
    HKEY appDefaults = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &appDefaults, nullptr);
    RegSetValueExA(appDefaults, "Version", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(platform.wineVersion),
                   static_cast<DWORD>(strlen(platform.wineVersion) + 1));
    RegCloseKey(appDefaults);

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string command = "\"" + copy + "\" --gtest_filter=OnPlatform.*";
    SetEnvironmentVariableA("SETUP_TEST_PLATFORM", platform.wineVersion);
    PROCESS_INFORMATION process = {};
    DWORD exitCode = 999;
    if (CreateProcessA(copy.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 998);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    SetEnvironmentVariableA("SETUP_TEST_PLATFORM", nullptr);
    CloseHandle(out);
    output = ReadFile(outputFile);
    DeleteFileA(outputFile.c_str());
    DeleteFileA(copy.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    return exitCode;
}

} // namespace

TEST(PlatformVersions, EachVersionInAChildRun)
{
    for (const SPlatform& platform : kPlatforms) {
        std::string output;
        EXPECT_EQ(RunChild(platform, output), 0u) << platform.wineVersion << ":\n" << output;
        // Every case ran there, none was skipped.
        EXPECT_NE(output.find("[  PASSED  ] 2 tests."), std::string::npos)
            << platform.wineVersion << ":\n"
            << output;
    }
}

TEST(OnPlatform, VersionChecks)
{
    const SPlatform* platform = ChildPlatform();
    if (platform == nullptr)
        GTEST_SKIP() << "run by PlatformVersions.EachVersionInAChildRun";
    EXPECT_EQ(IsVersion4OrLater(), platform->version4);
    EXPECT_EQ(IsWindowsNT(), platform->nt);
    EXPECT_EQ(CStartMenuGroups().UsesShellLinks(), platform->version4);
}

TEST(OnPlatform, CreateShortcuts)
{
    const SPlatform* platform = ChildPlatform();
    if (platform == nullptr)
        GTEST_SKIP() << "run by PlatformVersions.EachVersionInAChildRun";
    CScratchDirectory scratch;
    std::string programs = scratch.File("Programs");
    CUserKeyOverride user(programs);
    CProgmanStub progman;
    if (!platform->version4)
        progman.Serve();

    CreateDirectoryA(scratch.File("Velmo Saver").c_str(), nullptr);
    std::string saver = scratch.WriteFile("Velmo Saver\\SAVER.SCR", "MZ");
    std::string readme = scratch.WriteFile("README.TXT", "text");
    CDestinationMap destinations;
    destinations.SetDestinationPath(0, scratch.File("Velmo Saver\\").c_str());
    CShortcutTargetMap targets;
    for (const char* file : {"saver.scr", "readme.txt", "setup.hlp"}) {
        std::unique_ptr<CShortcutTarget> target(new CShortcutTarget);
        target->m_strFileName = file;
        targets.SetAt(std::move(target));
    }
    CShortcutTarget* target = targets.FindTarget("saver.scr");
    target->m_strName = "Velmo Screen Saver";
    target->m_strArguments = "/s";
    target->m_commandPath = saver;
    target->m_strIconFile = "saver.ico";
    target->m_nIconIndex = 2;
    target->m_bMinimized = true;
    target = targets.FindTarget("readme.txt");
    target->m_strName = "Read Me";
    target->m_commandPath = readme;

    targets.CreateShortcuts(destinations, "My PM Group");

    if (platform->version4) {
        EXPECT_EQ(progman.Log(), "") << "Program Manager was asked";
        std::string group = programs + "\\My PM Group\\";
        EXPECT_EQ(FolderNames(group), "Read Me.lnk|Velmo Screen Saver.lnk|");
        SLinkFields link = ReadLink(group + "Velmo Screen Saver.lnk");
        EXPECT_EQ(link.path, saver);
        EXPECT_EQ(link.arguments, "/s");
        EXPECT_EQ(link.description, "Velmo Screen Saver");
        EXPECT_EQ(link.iconPath, "");
        EXPECT_EQ(link.directory, "");
        EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
    } else {
        EXPECT_EQ(FolderNames(programs), "") << "a link was written";
        // The icon file is taken in destination 0; the saver is minimized;
        // every target passes its (perhaps empty) arguments.
        std::string icon = scratch.File("Velmo Saver\\saver.ico");
        auto commandPath = [](const std::string& path) {
            return path.find(' ') != std::string::npos ? "\"" + path + "\"" : path;
        };
        EXPECT_EQ(progman.Log(), "start\n"
                                 "[CreateGroup (\"My PM Group\")]\n"
                                 "[ReplaceItem (Velmo Screen Saver)]\n"
                                 "[AddItem (" +
                                     commandPath(saver) + " /s,\"Velmo Screen Saver\"," + icon +
                                     ",2,-1,-1,,,1)]\n"
                                     "[CreateGroup (\"My PM Group\")]\n"
                                     "[ReplaceItem (Read Me)]\n"
                                     "[AddItem (" +
                                     commandPath(readme) +
                                     " ,\"Read Me\",,0,-1,-1,,,0)]\n"
                                     "disconnect\n");
    }
}
