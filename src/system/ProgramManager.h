#pragma once
// CProgramManager: program groups and items through Program Manager's DDE
// command interface (service and topic "PROGMAN"). When Program Manager does
// not answer, it is started ("progman.exe") and asked once more.
//
// Nothing is reported to the user: every operation returns false when Program
// Manager cannot be reached or refuses the command. The object lives for one
// task; going, it ends the conversation and the DDE instance.

#include <windows.h>

#include "system/DdeConversation.h"

class CProgramManager {
public:
    CProgramManager() = default;
    // Virtual so that a derived service is always destroyed whole.
    virtual ~CProgramManager();
    CProgramManager(const CProgramManager&) = delete;
    CProgramManager& operator=(const CProgramManager&) = delete;

    // Makes group the active group (creating it when missing), removes an item
    // of the same name and adds the item:
    //   [CreateGroup ("group")] [ReplaceItem (item)]
    //   [AddItem (commandline,"item",iconpath,index,-1,-1,,,minimized)]
    // The command line is the program path, quoted when it holds a blank or a
    // tab, then one blank and the arguments when arguments is not null (even
    // when empty). A null iconPath stands for the command line, an empty one
    // stays empty. The positions -1,-1 let Program Manager place the icon;
    // minimized is 1 for the minimized show commands (SW_SHOWMINIMIZED,
    // SW_MINIMIZE, SW_SHOWMINNOACTIVE), else 0. secondShowCommand has no field
    // in the command. True when Program Manager accepted the AddItem command.
    virtual bool AddItem(const char* group, const char* programPath, const char* arguments,
                         const char* itemName, const char* iconPath, int iconIndex, int showCommand,
                         int secondShowCommand);
    // [CreateGroup ("group")] then [DeleteItem (item)]; true when the delete was
    // accepted.
    virtual bool RemoveItem(const char* group, const char* itemName);
    // [DeleteGroup("group")]; true when accepted.
    virtual bool RemoveGroup(const char* group);
    // Adds the name of every existing group to the list box (LB_ADDSTRING);
    // none when Program Manager does not answer. Always true.
    virtual bool FillGroupList(HWND listBox);

protected:
    // Connects unless connected. With allowStart, a failed attempt starts
    // "progman.exe" and tries once more. True when connected.
    bool EnsureConnected(bool allowStart);
    bool CreateGroup(const char* group);

    CDdeConversation m_conversation;
    bool m_bConnected = false;
};
