// The shortcut step on the system versions the program adapts to. Wine
// reports the version that HKCU\Software\Wine\AppDefaults\<program file name>
// "Version" names, read when a process starts; so the driver case copies this
// program to unit_system-<version>.exe, sets that key for the copy and runs
// the copy's OnPlatform cases, which SETUP_TEST_PLATFORM tells what to expect:
// win95 (4.0) and nt40 (NT 4.0) write shell links, nt351 (NT 3.51) talks to
// Program Manager (the stand-in server, in a second process).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "profile/DestinationMap.h"
#include "profile/ShortcutTargetMap.h"
#include "system/PlatformChecks.h"
#include "system/StartMenuGroups.h"
#include "unit/support/ScratchDirectory.h"
#include "unit/system/ProgmanStub.h"
#include "unit/system/StartMenuFiles.h"

namespace {

struct SPlatform {
    std::string wineVersion;
    bool version4, nt;
};
const SPlatform kPlatforms[] = {
    {"win95", true, false}, {"nt40", true, true}, {"nt351", false, true}};

// The platform a child run is for; null in the driver's own run.
const SPlatform* ChildPlatform()
{
    char name[16] = "";
    GetEnvironmentVariableA("SETUP_TEST_PLATFORM", name, sizeof name);
    for (const SPlatform& platform : kPlatforms) {
        if (platform.wineVersion == name)
            return &platform;
    }
    return nullptr;
}

// Runs the OnPlatform cases in a copy of this program that Wine starts as the
// given version; its exit code, and its output in output.
DWORD RunChild(const SPlatform& platform, std::string& output)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string name = "unit_system-" + platform.wineVersion + ".exe";
    std::string copy = ProgramDirectory() + name, outputFile = copy + ".out";
    std::string key = "Software\\Wine\\AppDefaults\\" + name;
    EXPECT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    HKEY appDefaults = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &appDefaults, nullptr);
    RegSetValueExA(appDefaults, "Version", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(platform.wineVersion.c_str()),
                   static_cast<DWORD>(platform.wineVersion.size() + 1));
    RegCloseKey(appDefaults);

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    std::string command = "\"" + copy + "\" --gtest_filter=OnPlatform.*";
    SetEnvironmentVariableA("SETUP_TEST_PLATFORM", platform.wineVersion.c_str());
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
    output = ReadWholeFile(outputFile);
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
        // Both cases ran there; none was skipped.
        EXPECT_NE(output.find("[  PASSED  ] 2 tests."), std::string::npos) << output;
    }
}

TEST(OnPlatform, VersionChecks)
{
    const SPlatform* platform = ChildPlatform();
    if (platform == nullptr)
        GTEST_SKIP() << "run by PlatformVersions.EachVersionInAChildRun";
    EXPECT_EQ(IsVersion4OrLater(), platform->version4);
    EXPECT_EQ(IsWindowsNT(), platform->nt);
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

    // Two installed files of two file groups (one under destination 0, where
    // the icon file is taken; the copy engine has set their command paths),
    // and a target whose file was not installed.
    CreateDirectoryA(scratch.File("Velmo Saver").c_str(), nullptr);
    std::string saver = scratch.WriteFile("Velmo Saver\\SAVER.SCR", "MZ");
    std::string readme = scratch.WriteFile("README.TXT", "text");
    std::string profile = scratch.WriteFile(
        "SETUP.ini", "[targets]\r\nsaver.scr=2|0|1|Velmo Screen Saver|/s|saver.ico|" + saver +
                         "\r\nreadme.txt=0|0|0|Read Me|||" + readme +
                         "\r\nsetup.hlp=0|0|0|Setup Help|||\r\n");
    CShortcutTargetMap targets;
    targets.LoadTargets(profile.c_str());
    CDestinationMap destinations;
    destinations.SetDestinationPath(0, scratch.File("Velmo Saver\\").c_str());

    targets.CreateShortcuts(destinations, "My PM Group");

    if (platform->version4) {
        EXPECT_EQ(progman.Log(), "") << "Program Manager was asked";
        std::string group = programs + "\\My PM Group\\";
        EXPECT_EQ(FolderNames(group), "Read Me.lnk|Velmo Screen Saver.lnk|");
        // No icon, working directory or show command of the link's own.
        EXPECT_EQ(ReadLink(group + "Velmo Screen Saver.lnk"),
                  saver + "|/s|Velmo Screen Saver||0||1");
        EXPECT_EQ(ReadLink(group + "Read Me.lnk"), readme + "||Read Me||0||1");
    } else {
        EXPECT_EQ(FolderNames(programs), "") << "a link was written";
        auto commandPath = [](const std::string& path) {
            return path.find(' ') != std::string::npos ? "\"" + path + "\"" : path;
        };
        EXPECT_EQ(progman.Log(), "start\n"
                                 "[CreateGroup (\"My PM Group\")]\n"
                                 "[ReplaceItem (Velmo Screen Saver)]\n"
                                 "[AddItem (" +
                                     commandPath(saver) + " /s,\"Velmo Screen Saver\"," +
                                     scratch.File("Velmo Saver\\saver.ico") +
                                     ",2,-1,-1,,,1)]\n"
                                     "[CreateGroup (\"My PM Group\")]\n"
                                     "[ReplaceItem (Read Me)]\n"
                                     "[AddItem (" +
                                     commandPath(readme) +
                                     " ,\"Read Me\",,0,-1,-1,,,0)]\n"
                                     "disconnect\n");
    }
}
