#include "system/ProgramManager.h"

#include <string>

namespace {

const char kService[] = "PROGMAN";
const char kTopic[] = "PROGMAN";
const char kGroupListItem[] = "Progman";
const char kProgram[] = "progman.exe";

// Positions that tell Program Manager to put the icon in the next free place;
// left empty they would stack every icon at 0,0.
const int kNextFreePosition = -1;

const char* OrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

bool IsMinimizedShowCommand(int showCommand)
{
    return showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE ||
           showCommand == SW_SHOWMINNOACTIVE;
}

// Program Manager splits its fields at blanks too: a path with one is quoted.
std::string MakeCommandLine(const char* programPath, const char* arguments)
{
    std::string path = OrEmpty(programPath);
    std::string line = path.find_first_of(" \t") != std::string::npos ? "\"" + path + "\"" : path;
    if (arguments != nullptr)
        line += std::string(" ") + arguments;
    return line;
}

} // namespace

CProgramManager::~CProgramManager()
{
    if (m_bConnected && m_conversation.Disconnect())
        m_bConnected = false;
}

bool CProgramManager::EnsureConnected(bool allowStart)
{
    while (!m_bConnected) {
        if (m_conversation.Connect(kService, kTopic)) {
            m_bConnected = true;
            break;
        }
        if (!allowStart)
            return false;
        // WinExec waits until the started program is ready for input, by
        // when Program Manager has registered its service.
        WinExec(kProgram, SW_SHOW);
        allowStart = false;
    }
    return true;
}

bool CProgramManager::CreateGroup(const char* group)
{
    EnsureConnected(true);
    return m_conversation.Execute("[CreateGroup (\"%s\")]", OrEmpty(group));
}

bool CProgramManager::AddItem(const char* group, const char* programPath, const char* arguments,
                              const char* itemName, const char* iconPath, int iconIndex,
                              int showCommand, int /*secondShowCommand*/)
{
    EnsureConnected(true);
    CreateGroup(group);
    m_conversation.Execute("[ReplaceItem (%s)]", OrEmpty(itemName));
    EnsureConnected(true);
    std::string commandLine = MakeCommandLine(programPath, arguments);
    return m_conversation.Execute(
        "[AddItem (%s,\"%s\",%s,%d,%d,%d,%s,%s,%d)]", commandLine.c_str(), OrEmpty(itemName),
        iconPath != nullptr ? iconPath : commandLine.c_str(), iconIndex, kNextFreePosition,
        kNextFreePosition, "", "", IsMinimizedShowCommand(showCommand) ? 1 : 0);
}

bool CProgramManager::RemoveItem(const char* group, const char* itemName)
{
    EnsureConnected(true);
    CreateGroup(group);
    return m_conversation.Execute("[DeleteItem (%s)]", OrEmpty(itemName));
}

bool CProgramManager::RemoveGroup(const char* group)
{
    // As everywhere: once for the operation and once more before the command.
    // Connected, the second call costs nothing; unreachable, it is a second
    // attempt to start Program Manager.
    EnsureConnected(true);
    EnsureConnected(true);
    return m_conversation.Execute("[DeleteGroup(\"%s\")]", OrEmpty(group));
}

bool CProgramManager::FillGroupList(HWND listBox)
{
    EnsureConnected(true);
    std::string answer;
    m_conversation.Request(kGroupListItem, answer);
    size_t start = 0;
    while (start < answer.size()) {
        size_t end = answer.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = answer.size();
        if (end > start) {
            std::string name = answer.substr(start, end - start);
            SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        start = end + 1;
    }
    return true;
}
