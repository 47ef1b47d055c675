// Program Manager over DDE, against the stand-in server of tests/stubs/progman
// in a second process: the exact command texts in their order, the group list,
// and starting Program Manager when none answers.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "system/ProgramManager.h"
#include "unit/system/ProgmanStub.h"

TEST(ProgramManager, StartsProgramManagerOnceAndSendsGroupReplaceAndAddInOrder)
{
    CProgmanStub progman; // there, but not running
    {
        CProgramManager pm;
        // A path with a blank (or a tab) is quoted and followed by its
        // arguments; an empty icon path stays empty; minimized sets the flag.
        EXPECT_TRUE(pm.AddItem("My PM Group", "C:\\Program Files\\saver.scr", "/s",
                               "Velmo Screen Saver", "", 0, SW_SHOWMINIMIZED, SW_SHOW));
        // Empty arguments still add the blank; no icon path at all repeats the
        // command line; item names go unquoted and unchanged.
        EXPECT_TRUE(pm.AddItem("G", "C:\\VELMO\\README.TXT", "", "Read, Me)", nullptr, 3, SW_SHOW,
                               SW_SHOW));
        EXPECT_TRUE(pm.AddItem("G", "C:\\A\tB\\X.EXE", nullptr, "X", "C:\\X.ICO", 1, 5, 5));
    }
    // Started by the first attempt; connected from then on.
    EXPECT_EQ(
        progman.Log(),
        "start\n"
        "[CreateGroup (\"My PM Group\")]\n"
        "[ReplaceItem (Velmo Screen Saver)]\n"
        "[AddItem (\"C:\\Program Files\\saver.scr\" /s,\"Velmo Screen Saver\",,0,-1,-1,,,1)]\n"
        "[CreateGroup (\"G\")]\n"
        "[ReplaceItem (Read, Me))]\n"
        "[AddItem (C:\\VELMO\\README.TXT ,\"Read, Me)\",C:\\VELMO\\README.TXT ,3,-1,-1,,,0)]\n"
        "[CreateGroup (\"G\")]\n"
        "[ReplaceItem (X)]\n"
        "[AddItem (\"C:\\A\tB\\X.EXE\",\"X\",C:\\X.ICO,1,-1,-1,,,0)]\n"
        "disconnect\n");
}

TEST(ProgramManager, RemovalsLongCommandsAndTheGroupList)
{
    // Already answering: Program Manager is not started again.
    CProgmanStub progman;
    SetEnvironmentVariableA("PROGMAN_TEST_GROUPS", "Startup\r\nAccessories\r\n\r\nMain\r\n");
    progman.Serve();
    HWND list =
        CreateWindowA("LISTBOX", "", LBS_SORT, 0, 0, 99, 99, nullptr, nullptr, nullptr, nullptr);
    std::string longName(600, 'n');
    {
        CProgramManager pm;
        EXPECT_TRUE(pm.RemoveItem("My PM Group", "Old Item"));
        EXPECT_TRUE(pm.RemoveGroup("Old Group"));
        // Cut at 511 characters, and still sent with its terminating zero.
        EXPECT_TRUE(pm.RemoveItem("G", longName.c_str()));
        EXPECT_TRUE(pm.FillGroupList(list));
    }
    // Sorted by the list box; the empty line and the trailing break add nothing.
    std::string entries;
    char text[64];
    for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries += std::string(text) + "|";
    }
    DestroyWindow(list);
    EXPECT_EQ(entries, "Accessories|Main|Startup|");
    EXPECT_EQ(progman.Log(), "start\n"
                             "[CreateGroup (\"My PM Group\")]\n"
                             "[DeleteItem (Old Item)]\n"
                             "[DeleteGroup(\"Old Group\")]\n"
                             "[CreateGroup (\"G\")]\n" +
                                 ("[DeleteItem (" + longName).substr(0, 511) +
                                 "\nrequest progman\n"
                                 "disconnect\n");
}

TEST(ProgramManager, OneThatNeverAnswersIsStartedAtEachAttemptAndEachFails)
{
    // AddItem makes three attempts (at its start, before CreateGroup and
    // before AddItem), RemoveItem and RemoveGroup two, FillGroupList one.
    CProgmanStub progman("absent");
    HWND list = CreateWindowA("LISTBOX", "", 0, 0, 0, 99, 99, nullptr, nullptr, nullptr, nullptr);
    {
        CProgramManager pm;
        EXPECT_FALSE(pm.AddItem("G", "C:\\P.EXE", "", "Item", "", 0, SW_SHOW, SW_SHOW));
        EXPECT_FALSE(pm.RemoveItem("G", "Item"));
        EXPECT_FALSE(pm.RemoveGroup("G"));
        EXPECT_TRUE(pm.FillGroupList(list));
    }
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    DestroyWindow(list);
    std::string starts;
    for (int i = 0; i < 3 + 2 + 2 + 1; ++i)
        starts += "start\n";
    EXPECT_EQ(progman.Log(), starts);
}
