// Start Menu shortcuts on this system's default version (4 or later); the
// shortcut step itself on each version is in PlatformVersionsTest. Item names
// that must not leave the group folder, and where the Programs folder is.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/Mbcs.h"
#include "system/StartMenuGroups.h"
#include "unit/support/ScratchDirectory.h"
#include "unit/system/StartMenuFiles.h"

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
    // A trail byte that looks like '\' belongs to its double-byte character.
    Mbcs::SetCodePage(932);
    EXPECT_EQ(CStartMenuGroups::MakeLinkTitle("\x95\x5C:"), "\x95\x5C_");
    Mbcs::SetCodePage(0);
}

TEST(StartMenuGroups, LinksStayInTheGroupFolder)
{
    CScratchDirectory scratch;
    std::string programs = scratch.File("Programs");
    std::string group = programs + "\\My PM Group\\";
    CUserKeyOverride user(programs);
    std::string program = scratch.WriteFile("P.EXE", "MZ");
    std::string longName(300, 'L');
    CStartMenuGroups groups;
    ASSERT_TRUE(groups.UsesShellLinks());
    for (const char* name : {"..\\..\\Escaped", "..", "CON", longName.c_str(), "Saver 1.0"})
        EXPECT_TRUE(groups.AddShortcut("My PM Group", program.c_str(), "/s", name, "", 0, nullptr,
                                       SW_SHOW, SW_SHOW))
            << name;
    // A second link of the same name overwrites the first.
    EXPECT_TRUE(groups.AddShortcut("My PM Group", program.c_str(), "/c", "Saver 1.0", "", 0,
                                   nullptr, SW_SHOW, SW_SHOW));

    EXPECT_EQ(FolderNames(scratch.Path()), "P.EXE|Programs|");
    EXPECT_EQ(FolderNames(programs), "My PM Group|");
    // Every name loses the text after its last dot; the long one is cut so that
    // the whole path fits in 259 characters.
    std::string cut = longName.substr(0, 259 - group.size() - 4) + ".lnk";
    EXPECT_EQ(FolderNames(group), ".._..lnk|CON_.lnk|" + cut + "|Saver 1.lnk|__.lnk|");
    EXPECT_EQ(ReadLink(group + ".._..lnk"), program + "|/s|..\\..\\Escaped||0||1");
    EXPECT_EQ(ReadLink(group + "Saver 1.lnk"), program + "|/c|Saver 1.0||0||1");
    // Removal finds the same file.
    EXPECT_TRUE(groups.RemoveItem("My PM Group", "..\\..\\Escaped"));
    EXPECT_EQ(FolderNames(group).find(".._..lnk"), std::string::npos);
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

    // A link there, in a group of this test's own: the group stays while it
    // holds the link; a read-only link is deleted all the same.
    std::string group = "Velmo Test " + std::to_string(GetCurrentProcessId());
    std::string link = programs + group + "\\Item.lnk";
    std::string program = std::string(windows) + "\\notepad.exe";
    ASSERT_TRUE(groups.AddShortcut(group.c_str(), program.c_str(), "", "Item", "", 0, nullptr,
                                   SW_SHOW, SW_SHOW));
    EXPECT_EQ(ReadLink(link), program + "||Item||0||1");
    SetFileAttributesA(link.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(groups.RemoveGroup(group.c_str()));
    EXPECT_TRUE(groups.RemoveItem(group.c_str(), "Item"));
    EXPECT_FALSE(groups.RemoveItem(group.c_str(), "Item"));
    EXPECT_TRUE(groups.RemoveGroup(group.c_str()));
    EXPECT_EQ(GetFileAttributesA((programs + group).c_str()), INVALID_FILE_ATTRIBUTES);
}
