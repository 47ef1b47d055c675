// The version checks on each system version the program adapts to. Wine
// reports the version that HKCU\Software\Wine\AppDefaults\<program file name>
// "Version" names, read when a process starts; so the driver case copies this
// program to unit_system-<version>.exe, sets that key for the copy and runs
// the copy's OnPlatform cases, which SETUP_TEST_PLATFORM tells what to expect.
// (Whole installations on these versions are the end-to-end shortcut
// scenarios; here only what they leave out: the item fields that come from
// the targets section, seen through Program Manager on NT 3.51.)
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "profile/DestinationMap.h"
#include "profile/ShortcutTargetMap.h"
#include "system/PlatformChecks.h"
#include "unit/support/ScratchDirectory.h"
#include "unit/system/ProgmanStub.h"

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

// Runs the cases of filter in a copy of this program that Wine starts as the
// given version; its exit code, and its output in output.
DWORD RunChild(const SPlatform& platform, const char* filter, std::string& output)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string name = "unit_system-" + platform.wineVersion + ".exe";
    const std::string copy = ProgramDirectory() + name, outputFile = copy + ".out";
    const std::string key = "Software\\Wine\\AppDefaults\\" + name;
    EXPECT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    HKEY appDefaults = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &appDefaults, nullptr);
    RegSetValueExA(appDefaults, "Version", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(platform.wineVersion.c_str()),
                   static_cast<DWORD>(platform.wineVersion.size() + 1));
    RegCloseKey(appDefaults);

    // Open to deletion: a stand-in Program Manager that the child started may
    // hold the output a little longer than the child.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                             &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    std::string command = "\"" + copy + "\" --gtest_filter=" + filter;
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
    output = CScratchFiles::Read(outputFile);
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
        const char* filter = platform.version4 ? "OnPlatform.VersionChecks" : "OnPlatform.*";
        EXPECT_EQ(RunChild(platform, filter, output), 0u) << platform.wineVersion << ":\n"
                                                          << output;
        // The cases ran there; none was skipped.
        EXPECT_NE(output.find("[  PASSED  ]"), std::string::npos) << output;
        EXPECT_EQ(output.find("[  SKIPPED ]"), std::string::npos) << output;
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

TEST(OnPlatform, ProgramManagerItemsFromTheTargets)
{
    const SPlatform* platform = ChildPlatform();
    if (platform == nullptr || platform->version4)
        GTEST_SKIP() << "run by PlatformVersions.EachVersionInAChildRun, on NT 3.51";
    CScratchDirectory scratch;
    CProgmanStub progman; // started by the shortcut step
    // Two installed files (the copy engine has set their command paths), one
    // minimized with an icon file, taken from destination 0; and a target
    // whose file was not installed, which gets no item.
    std::string saver = scratch.WriteFile("SAVER.SCR", "MZ");
    std::string profile = scratch.WriteFile(
        "SETUP.ini", "[targets]\r\nsaver.scr=2|0|1|Velmo Screen Saver|/s|saver.ico|" + saver +
                         "\r\nsetup.hlp=0|0|0|Setup Help|||\r\nreadme.txt=0|0|0|Read Me|||" +
                         saver + "\r\n");
    CShortcutTargetMap targets;
    targets.LoadTargets(profile.c_str());
    CDestinationMap destinations;
    destinations.SetDestinationPath(0, "D:\\Icons\\");

    targets.CreateShortcuts(destinations, "G");

    const std::string command = saver.find(' ') != std::string::npos ? "\"" + saver + "\"" : saver;
    EXPECT_EQ(progman.Log(), "start\n"
                             "[CreateGroup (\"G\")]\n"
                             "[ReplaceItem (Velmo Screen Saver)]\n"
                             "[AddItem (" +
                                 command +
                                 " /s,\"Velmo Screen Saver\",D:\\Icons\\saver.ico,2,-1,-1,,,1)]\n"
                                 "[CreateGroup (\"G\")]\n"
                                 "[ReplaceItem (Read Me)]\n"
                                 "[AddItem (" +
                                 command +
                                 " ,\"Read Me\",,0,-1,-1,,,0)]\n"
                                 "disconnect\n");
}
