// Start Menu shortcuts on this system's default version (4 or later): item
// names that must not leave the group folder, links read back through the
// shell's own IShellLinkA, and where the Programs folder is.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/Mbcs.h"
#include "system/StartMenuGroups.h"
#include "common/ScratchDirectory.h"
#include "common/ShellLink.h"
#include "unit/system/ScratchUser.h"

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The names in a folder, sorted, each followed by '|'.
std::string FolderNames(const std::string& folder)
{
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        names.insert(entry.path().filename().string());
    std::string text;
    for (const std::string& name : names)
        text += name + "|";
    return text;
}

} // namespace

TEST(StartMenuGroups, LinkTitlesAreSafeFileNames)
{
    const struct {
        const char* name;
        const char* title;
    } cases[] = {
        {"a\\b/c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"tab\there", "tab_here"},
        {"..", "__"},
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
    CScratchUser user;
    const std::string programs = scratch.File("Programs"), group = programs + "\\My PM Group\\";
    user.SetString(kShellFolders, "Programs", programs);
    const std::string program = scratch.WriteFile("P.EXE", "MZ"), longName(300, 'L');
    CStartMenuGroups groups;
    ASSERT_TRUE(groups.UsesShellLinks());
    // The second link of a name overwrites the first.
    const char* const links[][2] = {{"..\\..\\Escaped", "/s"},
                                    {longName.c_str(), ""},
                                    {".NET Tool", "/n"},
                                    {"Saver 1.0", "/s"},
                                    {"Saver 1.0", "/c"}};
    for (const auto& link : links)
        EXPECT_TRUE(groups.AddShortcut("My PM Group", program.c_str(), link[1], link[0], "", 0,
                                       nullptr, SW_SHOW, SW_SHOW))
            << link[0];

    EXPECT_EQ(FolderNames(scratch.Path()), "P.EXE|Programs|");
    EXPECT_EQ(FolderNames(programs), "My PM Group|");
    // Every name loses the text after its last dot; the long one is cut so that
    // the whole path fits in 259 characters.
    std::string cut = longName.substr(0, 259 - group.size() - 4) + ".lnk";
    EXPECT_EQ(FolderNames(group), ".._..lnk|.lnk|" + cut + "|Saver 1.lnk|");
    EXPECT_EQ(ReadShortcut(group + ".._..lnk"), program + "|/s|..\\..\\Escaped||0||1");
    EXPECT_EQ(ReadShortcut(group + "Saver 1.lnk"), program + "|/c|Saver 1.0||0||1");
    EXPECT_EQ(ReadShortcut(group + ".lnk"), program + "|/n|.NET Tool||0||1");
    // Removal finds the same file.
    EXPECT_TRUE(groups.RemoveItem("My PM Group", "..\\..\\Escaped"));
    EXPECT_EQ(FolderNames(group).find(".._..lnk"), std::string::npos);
}

// The Programs folder that Shell Folders names is where the end-to-end rows
// shortcuts-win95 and shortcuts-nt40 read their links back; without it, the
// folder under the Windows directory.
TEST(StartMenuGroups, ProgramsFolderWithoutShellFoldersIsUnderWindows)
{
    CScratchUser user;
    CStartMenuGroups groups;
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string programs = std::string(windows) + "\\Start Menu\\Programs\\";
    EXPECT_EQ(groups.GetProgramsFolder().GetString(), programs);

    // A link there, in a group of this test's own: the group stays while it
    // holds the link; a read-only link is deleted all the same.
    const std::string group = "Velmo Test " + std::to_string(GetCurrentProcessId());
    const std::string link = programs + group + "\\Item.lnk";
    ASSERT_TRUE(
        groups.AddShortcut(group.c_str(), windows, "", "Item", "", 0, nullptr, SW_SHOW, SW_SHOW));
    SetFileAttributesA(link.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(groups.RemoveGroup(group.c_str()));
    EXPECT_TRUE(groups.RemoveItem(group.c_str(), "Item"));
    EXPECT_FALSE(groups.RemoveItem(group.c_str(), "Item"));
    EXPECT_TRUE(groups.RemoveGroup(group.c_str()));
    EXPECT_EQ(GetFileAttributesA((programs + group).c_str()), INVALID_FILE_ATTRIBUTES);
}
