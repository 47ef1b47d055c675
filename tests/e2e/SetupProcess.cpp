#include "SetupProcess.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    const char* caption;
    int requiredItem;
    int forbiddenItem;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window))
        return TRUE;
    if (CSetupProcess::Text(window) != search->caption)
        return TRUE;
    if (search->requiredItem != 0 && GetDlgItem(window, search->requiredItem) == nullptr)
        return TRUE;
    if (search->forbiddenItem != 0 && GetDlgItem(window, search->forbiddenItem) != nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string result = "Z:" + path;
    for (char& c : result) {
        if (c == '/')
            c = '\\';
    }
    return result;
}

CSetupProcess::CSetupProcess(const std::string& setupExe, const std::string& statusLibrary)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char name[64];
    std::snprintf(name, sizeof name, "velmo-e2e-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    m_directory = std::string(temp) + name + "\\";
    CreateDirectoryA(m_directory.c_str(), nullptr);
    m_exe = m_directory + "SETUP.EXE";
    if (!CopyFileA(WindowsPath(setupExe).c_str(), m_exe.c_str(), FALSE))
        std::printf("cannot copy %s\n", setupExe.c_str());
    if (!statusLibrary.empty() && !CopyFileA(WindowsPath(statusLibrary).c_str(),
                                             (m_directory + "ismif32.dll").c_str(), FALSE))
        std::printf("cannot copy %s\n", statusLibrary.c_str());
    m_log = m_directory + "status.log";
    SetEnvironmentVariableA("ISMIF32_LOG", m_log.c_str());
}

CSetupProcess::~CSetupProcess()
{
    if (m_process.hProcess != nullptr) {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            std::printf("SETUP.EXE still runs: ended\n");
            TerminateProcess(m_process.hProcess, 99);
            WaitForSingleObject(m_process.hProcess, 5000);
        }
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    for (const char* file : {"SETUP.EXE", "ismif32.dll", "status.log"})
        DeleteFileA((m_directory + file).c_str());
    RemoveDirectoryA(m_directory.c_str());
}

bool CSetupProcess::Start(const std::string& arguments)
{
    std::string commandLine = "\"" + m_exe + "\" " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(m_exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          m_directory.c_str(), &startup, &m_process) != FALSE;
}

HWND CSetupProcess::WaitForWindow(const char* caption, int requiredItem, int forbiddenItem,
                                  DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (HWND found = LookForWindow(caption, requiredItem, forbiddenItem))
            return found;
        if (WaitForSingleObject(m_process.hProcess, 50) != WAIT_TIMEOUT)
            break; // it ended: the window will not come
    } while (GetTickCount() - start < timeoutMs);
    std::printf("no window \"%s\"\n", caption);
    return nullptr;
}

HWND CSetupProcess::LookForWindow(const char* caption, int requiredItem, int forbiddenItem) const
{
    Search search = {m_process.dwProcessId, caption, requiredItem, forbiddenItem, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool CSetupProcess::WaitForExit(DWORD timeoutMs, DWORD& exitCode)
{
    if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        std::printf("SETUP.EXE did not end\n");
        return false;
    }
    GetExitCodeProcess(m_process.hProcess, &exitCode);
    return true;
}

HWND CSetupProcess::ChildDialog(HWND page)
{
    return FindWindowExA(page, nullptr, "#32770", nullptr);
}

std::string CSetupProcess::Text(HWND window)
{
    char text[2048] = "";
    DWORD_PTR length = 0;
    // WM_GETTEXT crosses processes; a program that hangs must not hang the driver.
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &length))
        return std::string();
    return text;
}

std::string CSetupProcess::ItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? Text(item) : std::string();
}

bool CSetupProcess::IsItemEnabled(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item != nullptr && IsWindowEnabled(item);
}

bool CSetupProcess::Click(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr || !IsWindowVisible(button) || !IsWindowEnabled(button)) {
        std::printf("button %d cannot be clicked\n", id);
        return false;
    }
    // Posted: the click may open a modal box, which must not block the driver.
    PostMessageA(button, BM_CLICK, 0, 0);
    return true;
}

void CSetupProcess::Key(HWND dialog, int id, UINT key)
{
    HWND target = GetDlgItem(dialog, id);
    if (target == nullptr)
        target = dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

std::string CSetupProcess::StatusLog() const
{
    std::ifstream file(m_log, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool CSetupProcess::StatusLogExists() const
{
    return GetFileAttributesA(m_log.c_str()) != INVALID_FILE_ATTRIBUTES;
}
