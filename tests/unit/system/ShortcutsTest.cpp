// Start Menu shortcuts on this system's default version (4 or later): the
// shortcut step over a target map and destination map, links read back with
// the shell's IShellLinkA, item names that must not leave the group folder,
// and where the Programs folder is. HKEY_CURRENT_USER points at a key of the
// test's own (CUserKeyOverride), so the links go to a scratch directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "profile/DestinationMap.h"
#include "profile/ShortcutTargetMap.h"
#include "support/Mbcs.h"
#include "system/StartMenuGroups.h"
#include "unit/support/ScratchDirectory.h"
#include "unit/system/ShellLinkFiles.h"
#include "unit/system/UserKeyOverride.h"

namespace {

// A target as the profile reader makes it; installed is what the copy engine
// writes into the command path (empty: the file was not installed).
void AddTarget(CShortcutTargetMap& targets, const char* file, const char* name,
               const char* arguments, const std::string& installed, const char* iconFile = "",
               int iconIndex = 0, bool minimized = false)
{
    std::unique_ptr<CShortcutTarget> target(new CShortcutTarget);
    target->m_strFileName = file;
    target->m_strName = name;
    target->m_strArguments = arguments;
    target->m_commandPath = installed;
    target->m_strIconFile = iconFile;
    target->m_nIconIndex = iconIndex;
    target->m_bMinimized = minimized;
    targets.SetAt(std::move(target));
}

class Shortcuts : public ::testing::Test {
protected:
    CScratchDirectory m_scratch;
    std::string m_programs = m_scratch.File("Start Menu\\Programs");
    std::string m_group = m_programs + "\\My PM Group\\";
    CUserKeyOverride m_user{m_programs};
};

} // namespace

TEST_F(Shortcuts, OneLinkPerInstalledTargetInTheProgramGroup)
{
    // Files of two file groups, installed under destination 0 and elsewhere,
    // and a target whose file was not installed.
    CreateDirectoryA(m_scratch.File("Velmo Saver").c_str(), nullptr);
    CreateDirectoryA(m_scratch.File("Docs").c_str(), nullptr);
    std::string saver = m_scratch.WriteFile("Velmo Saver\\SAVER.SCR", "MZ");
    std::string readme = m_scratch.WriteFile("Docs\\README.TXT", "text");
    CDestinationMap destinations;
    destinations.SetDestinationPath(0, m_scratch.File("Velmo Saver\\").c_str());
    CShortcutTargetMap targets;
    AddTarget(targets, "saver.scr", "Velmo Screen Saver", "/s", saver, "saver.ico", 1, true);
    AddTarget(targets, "readme.txt", "Read Me", "", readme);
    AddTarget(targets, "setup.hlp", "Setup Help", "", "");

    targets.CreateShortcuts(destinations, "My PM Group");

    EXPECT_EQ(FolderNames(m_programs), "My PM Group|");
    EXPECT_EQ(FolderNames(m_group), "Read Me.lnk|Velmo Screen Saver.lnk|");
    // Icon, working directory and show command are the link's defaults: the
    // icon file and the minimized flag only reach Program Manager.
    SLinkFields link = ReadLink(m_group + "Velmo Screen Saver.lnk");
    EXPECT_EQ(link.path, saver);
    EXPECT_EQ(link.arguments, "/s");
    EXPECT_EQ(link.description, "Velmo Screen Saver");
    EXPECT_EQ(link.iconPath, "");
    EXPECT_EQ(link.directory, "");
    EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
    link = ReadLink(m_group + "Read Me.lnk");
    EXPECT_EQ(link.path, readme);
    EXPECT_EQ(link.arguments, "");
    EXPECT_EQ(link.description, "Read Me");
}

TEST_F(Shortcuts, ItemNameLosesItsLastDotPartAndASecondRunOverwrites)
{
    std::string saver = m_scratch.WriteFile("SAVER.SCR", "MZ");
    CDestinationMap destinations;
    destinations.SetDestinationPath(0, m_scratch.Path().c_str());
    CShortcutTargetMap targets;
    AddTarget(targets, "saver.scr", "Saver 1.0", "/s", saver);
    targets.CreateShortcuts(destinations, "My PM Group");
    EXPECT_EQ(FolderNames(m_group), "Saver 1.lnk|");

    targets.FindTarget("SAVER.SCR")->m_strArguments = "/c";
    targets.CreateShortcuts(destinations, "My PM Group");
    EXPECT_EQ(FolderNames(m_group), "Saver 1.lnk|");
    EXPECT_EQ(ReadLink(m_group + "Saver 1.lnk").arguments, "/c");
    EXPECT_EQ(ReadLink(m_group + "Saver 1.lnk").description, "Saver 1.0");
}

TEST_F(Shortcuts, UnsafeItemNamesStayInTheGroupFolder)
{
    std::string program = m_scratch.WriteFile("P.EXE", "MZ");
    std::string longName(300, 'L');
    CStartMenuGroups groups;
    ASSERT_TRUE(groups.UsesShellLinks());
    for (const char* name :
         {"..\\..\\Escaped", "..", "Sub/Dir:Stream", "CON", " . ", longName.c_str()})
        EXPECT_TRUE(groups.AddShortcut("My PM Group", program.c_str(), "", name, "", 0, nullptr,
                                       SW_SHOW, SW_SHOW))
            << name;

    EXPECT_EQ(FolderNames(m_scratch.Path()), "P.EXE|Start Menu|");
    EXPECT_EQ(FolderNames(m_programs), "My PM Group|");
    // The long name is cut so that the whole path fits in 259 characters.
    std::string cut = longName.substr(0, 259 - m_group.size() - 4) + ".lnk";
    // ".._.._Escaped" loses its text after the last dot like any name.
    EXPECT_EQ(FolderNames(m_group),
              ".._..lnk|CON_.lnk|" + cut + "|Sub_Dir_Stream.lnk|__.lnk|___.lnk|");
    EXPECT_EQ(ReadLink(m_group + ".._..lnk").description, "..\\..\\Escaped");

    // Removal finds the same file.
    EXPECT_TRUE(groups.RemoveItem("My PM Group", "Sub/Dir:Stream"));
    EXPECT_EQ(FolderNames(m_group).find("Sub_Dir_Stream"), std::string::npos);
}

TEST(StartMenuGroups, LinkTitlesAreSafeFileNames)
{
    const struct {
        const char* name;
        const char* title;
    } cases[] = {
        {"Velmo Screen Saver", "Velmo Screen Saver"},
        {"a\\b/c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"tab\there", "tab_here"},
        {"..", "__"},
        {" . ", "___"},
        {"", "_"},
        {".hidden", ".hidden"},
        {"CON", "CON_"},
        {"nul.txt", "nul_.txt"},
        {"Lpt9 ", "Lpt9_ "},
        {"COM0", "COM0"},
        {"Console", "Console"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CStartMenuGroups::MakeLinkTitle(c.name), c.title) << c.name;

    // In a double-byte code page a trail byte that looks like '\' is part of
    // its character.
    Mbcs::SetCodePage(932);
    EXPECT_EQ(CStartMenuGroups::MakeLinkTitle("\x95\x5C:"), "\x95\x5C_");
    Mbcs::SetCodePage(0);
}

TEST(StartMenuGroups, ProgramsFolderFromShellFoldersOrUnderWindows)
{
    {
        CUserKeyOverride user("D:\\Menu\\Programs");
        EXPECT_EQ(CStartMenuGroups().GetProgramsFolder().GetString(), "D:\\Menu\\Programs\\");
    }
    CUserKeyOverride user("");
    CStartMenuGroups groups;
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string programs = std::string(windows) + "\\Start Menu\\Programs\\";
    EXPECT_EQ(groups.GetProgramsFolder().GetString(), programs);

    // A link there (in a group of this test's own), then removed: the group
    // stays while it holds the link, and a read-only link is deleted too.
    std::string group = "Velmo Test " + std::to_string(GetCurrentProcessId());
    std::string link = programs + group + "\\Item.lnk";
    std::string program = std::string(windows) + "\\notepad.exe";
    ASSERT_TRUE(groups.AddShortcut(group.c_str(), program.c_str(), "", "Item", "", 0, nullptr,
                                   SW_SHOW, SW_SHOW));
    EXPECT_EQ(ReadLink(link).path, program);
    SetFileAttributesA(link.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(groups.RemoveGroup(group.c_str()));
    EXPECT_NE(GetFileAttributesA((programs + group).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(groups.RemoveItem(group.c_str(), "Item"));
    EXPECT_FALSE(groups.RemoveItem(group.c_str(), "Item"));
    EXPECT_TRUE(groups.RemoveGroup(group.c_str()));
    EXPECT_EQ(GetFileAttributesA((programs + group).c_str()), INVALID_FILE_ATTRIBUTES);
}
