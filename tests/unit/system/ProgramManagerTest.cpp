// Program Manager over DDE, against the stand-in server of tests/stubs/progman
// running as a second process: the exact command texts in their order, the
// group list, a refused command, and starting Program Manager when none
// answers (once per attempt, failing cleanly when it never answers).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "system/ProgramManager.h"
#include "unit/system/ProgmanStub.h"

TEST(ProgramManager, AddItemSendsGroupReplaceAndAddInOrder)
{
    CProgmanStub progman;
    progman.Serve();
    {
        CProgramManager pm;
        // A path with a blank is quoted and followed by its arguments; an empty
        // icon path stays empty; a minimized show command sets the last field.
        EXPECT_TRUE(pm.AddItem("My PM Group", "C:\\Program Files\\Velmo\\saver.scr", "/s",
                               "Velmo Screen Saver", "", 0, SW_SHOWMINIMIZED, SW_SHOW));
        // Empty arguments still add the blank; no icon path at all repeats the
        // command line; item names go unquoted and unchanged.
        EXPECT_TRUE(pm.AddItem("My PM Group", "C:\\VELMO\\README.TXT", "", "Read, Me)", nullptr, 3,
                               SW_SHOW, SW_SHOW));
        // No arguments at all: the path alone; a tab needs quotes too.
        EXPECT_TRUE(
            pm.AddItem("Other", "C:\\A\tB\\X.EXE", nullptr, "X", "C:\\X.ICO", 1, SW_SHOW, SW_SHOW));
    }
    EXPECT_EQ(
        progman.Log(),
        "start\n"
        "[CreateGroup (\"My PM Group\")]\n"
        "[ReplaceItem (Velmo Screen Saver)]\n"
        "[AddItem (\"C:\\Program Files\\Velmo\\saver.scr\" /s,\"Velmo Screen "
        "Saver\",,0,-1,-1,,,1)]\n"
        "[CreateGroup (\"My PM Group\")]\n"
        "[ReplaceItem (Read, Me))]\n"
        "[AddItem (C:\\VELMO\\README.TXT ,\"Read, Me)\",C:\\VELMO\\README.TXT ,3,-1,-1,,,0)]\n"
        "[CreateGroup (\"Other\")]\n"
        "[ReplaceItem (X)]\n"
        "[AddItem (\"C:\\A\tB\\X.EXE\",\"X\",C:\\X.ICO,1,-1,-1,,,0)]\n"
        "disconnect\n");
}

TEST(ProgramManager, RemovalsAndTheGroupList)
{
    CProgmanStub progman;
    SetEnvironmentVariableA("PROGMAN_TEST_GROUPS", "Startup\r\nAccessories\r\n\r\nMain\r\n");
    progman.Serve();
    HWND list =
        CreateWindowA("LISTBOX", "", LBS_SORT, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    {
        CProgramManager pm;
        EXPECT_TRUE(pm.RemoveItem("My PM Group", "Old Item"));
        EXPECT_TRUE(pm.RemoveGroup("Old Group"));
        EXPECT_TRUE(pm.FillGroupList(list));
    }
    // Sorted by the list box; the empty line and the trailing break add nothing.
    std::string entries;
    char text[64];
    for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries += std::string(text) + "|";
    }
    EXPECT_EQ(entries, "Accessories|Main|Startup|");
    DestroyWindow(list);
    EXPECT_EQ(progman.Log(), "start\n"
                             "[CreateGroup (\"My PM Group\")]\n"
                             "[DeleteItem (Old Item)]\n"
                             "[DeleteGroup(\"Old Group\")]\n"
                             "request progman\n"
                             "disconnect\n");
}

TEST(ProgramManager, RefusedOrOverlongCommands)
{
    CProgmanStub progman;
    SetEnvironmentVariableA("PROGMAN_TEST_REFUSE", "[AddItem");
    progman.Serve();
    std::string longName(600, 'n');
    {
        CProgramManager pm;
        // The result is the AddItem command's, whatever became of the others.
        EXPECT_FALSE(pm.AddItem("G", "C:\\P.EXE", "", "Item", "", 0, SW_SHOW, SW_SHOW));
        // A command is cut at 511 characters and still sent with its zero.
        EXPECT_TRUE(pm.RemoveItem("G", longName.c_str()));
    }
    EXPECT_EQ(progman.Log(), "start\n"
                             "[CreateGroup (\"G\")]\n"
                             "[ReplaceItem (Item)]\n"
                             "[AddItem (C:\\P.EXE ,\"Item\",,0,-1,-1,,,0)]\n"
                             "[CreateGroup (\"G\")]\n" +
                                 ("[DeleteItem (" + longName).substr(0, 511) +
                                 "\n"
                                 "disconnect\n");
}

TEST(ProgramManager, StartsProgramManagerWhenNoneAnswers)
{
    CProgmanStub progman; // installed but not running
    {
        CProgramManager pm;
        EXPECT_TRUE(pm.AddItem("G", "C:\\P.EXE", "", "Item", "", 0, SW_SHOW, SW_SHOW));
        // Connected now: no second start.
        EXPECT_TRUE(pm.RemoveItem("G", "Item"));
    }
    EXPECT_EQ(progman.Log(), "start\n"
                             "[CreateGroup (\"G\")]\n"
                             "[ReplaceItem (Item)]\n"
                             "[AddItem (C:\\P.EXE ,\"Item\",,0,-1,-1,,,0)]\n"
                             "[CreateGroup (\"G\")]\n"
                             "[DeleteItem (Item)]\n"
                             "disconnect\n");
}

TEST(ProgramManager, FailsCleanlyWhenProgramManagerNeverAnswers)
{
    CProgmanStub progman("absent");
    HWND list = CreateWindowA("LISTBOX", "", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    {
        CProgramManager pm;
        // One start per connection attempt: at the start, before CreateGroup
        // and before AddItem.
        EXPECT_FALSE(pm.AddItem("G", "C:\\P.EXE", "", "Item", "", 0, SW_SHOW, SW_SHOW));
        EXPECT_EQ(progman.Log(), "start\nstart\nstart\n");
        EXPECT_FALSE(pm.RemoveItem("G", "Item"));
        EXPECT_FALSE(pm.RemoveGroup("G"));
        EXPECT_TRUE(pm.FillGroupList(list));
    }
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    DestroyWindow(list);
    // RemoveItem and RemoveGroup try twice each, FillGroupList once.
    std::string starts;
    for (int i = 0; i < 3 + 2 + 2 + 1; ++i)
        starts += "start\n";
    EXPECT_EQ(progman.Log(), starts);
}
