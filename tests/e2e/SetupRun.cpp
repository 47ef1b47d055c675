#include "SetupRun.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "res/resource.h"

const FILETIME kYear1990 = {0x18D64000, 0x01B41E2A};

namespace {

const DWORD kTimeoutMs = 30000;

struct Search {
    DWORD processId;
    const char* caption;
    int requiredItem;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && IsWindowVisible(window) &&
        (search->caption == nullptr || Text(window) == search->caption) &&
        (search->requiredItem == 0 || GetDlgItem(window, search->requiredItem) != nullptr)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ListWindow(HWND window, LPARAM processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId) && IsWindowVisible(window))
        std::printf(" \"%s\"", Text(window).c_str());
    return TRUE;
}

bool HasChildText(HWND window, const std::string& text)
{
    for (HWND child = window ? GetWindow(window, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (Text(child) == text)
            return true;
    }
    return false;
}

// Drive A: is a link of the prefix to its directory "floppy".
std::string FloppyDirectory()
{
    char prefix[MAX_PATH] = "";
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    std::string dir = std::string("Z:") + prefix + "\\floppy";
    std::replace(dir.begin(), dir.end(), '/', '\\');
    return dir;
}

} // namespace

bool Check(bool condition, const std::string& what, const std::string& found)
{
    std::printf("%s %s\n", condition ? "ok  " : "FAIL", what.c_str());
    if (!condition && !found.empty())
        std::printf("     found \"%s\"\n", found.c_str());
    std::fflush(stdout);
    return condition;
}

std::string Text(HWND window)
{
    char text[2048] = "";
    DWORD_PTR length = 0;
    if (window == nullptr ||
        !SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &length))
        return std::string();
    return text;
}

bool HasText(HWND dialog, int id, const std::string& expected, const char* what)
{
    std::string text = Text(GetDlgItem(dialog, id));
    return Check(text == expected, what, text);
}

bool Click(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button))
        return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
    std::printf("FAIL button %d cannot be clicked\n", id);
    return false;
}

void PostCommand(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SetItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND ButtonBar(HWND page)
{
    return page != nullptr ? FindWindowExA(page, nullptr, "#32770", nullptr) : nullptr;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ListDirectory(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

void RemoveTree(const std::string& dir)
{
    // Read-only files would stay behind.
    for (const std::string& name : ListDirectory(dir)) {
        const std::string path = dir + "\\" + name;
        if (SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) &&
            (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0)
            RemoveTree(path);
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

bool SetWriteTime(const std::string& path, const FILETIME& time)
{
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = SetFileTime(file, nullptr, nullptr, &time) != FALSE;
    CloseHandle(file);
    return ok;
}

bool RunProgram(const std::string& commandLine, const std::string& directory)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &process))
        return false;
    DWORD exitCode = 1;
    bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0 &&
                 GetExitCodeProcess(process.hProcess, &exitCode);
    if (!ended)
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended && exitCode == 0;
}

std::string ProgramsFolder()
{
    char programs[MAX_PATH] = "";
    DWORD size = sizeof programs;
    RegGetValueA(HKEY_CURRENT_USER,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 "Programs", RRF_RT_REG_SZ, nullptr, programs, &size);
    return programs;
}

bool InsertDiskette(const std::string& disk)
{
    // The diskette in the drive goes out whole, under a name no other run
    // uses (a program running from it cannot be deleted, but its directory
    // can be moved away); the next one's files go in at once.
    const std::string floppy = FloppyDirectory();
    static int s_taken = 0;
    const std::string taken =
        "-out" + std::to_string(GetTickCount()) + "-" + std::to_string(++s_taken);
    if (FileExists(floppy) && !MoveFileA(floppy.c_str(), (floppy + taken).c_str()))
        return Check(false, "the diskette in drive A: comes out",
                     "error " + std::to_string(GetLastError()));
    if (disk.empty())
        return !FileExists("A:\\SETUP.EXE");
    const std::string next = floppy + "-next" + taken;
    bool ok = CreateDirectoryA(next.c_str(), nullptr) != FALSE;
    for (const std::string& name : ListDirectory(disk))
        ok = CopyFileA((disk + name).c_str(), (next + "\\" + name).c_str(), FALSE) && ok;
    return MoveFileA(next.c_str(), floppy.c_str()) && ok;
}

std::string ScreenSaverValues()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return "(no key)";
    std::string values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[512];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        if (lstrcmpiA(name, "Scrnsave.exe") == 0)
            values += std::string(name) + "=" + reinterpret_cast<char*>(data) + ";";
    }
    RegCloseKey(key);
    return values;
}

CSetupRun::CSetupRun(const CPrograms& programs, const std::string& row)
    : m_programs(programs), m_name("velmo-" + row)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    m_dir = std::string(temp) + m_name + "\\";
    RemoveTree(m_dir); // what a run that was stopped half way left
    CreateDirectoryA(m_dir.c_str(), nullptr);
    CreateDirectoryA((m_dir + "temp").c_str(), nullptr);
    // The programs it starts keep their temporary files in the row's world.
    SetEnvironmentVariableA("TEMP", (m_dir + "temp").c_str());
    SetEnvironmentVariableA("TMP", (m_dir + "temp").c_str());
    CopyFileA(programs.setup.c_str(), (m_dir + "SETUP.EXE").c_str(), FALSE);
    CopyFileA(programs.status.c_str(), (m_dir + "ismif32.dll").c_str(), FALSE);
    SetEnvironmentVariableA("ISMIF32_LOG", (m_dir + "status.log").c_str());
}

CSetupRun::~CSetupRun()
{
    CloseProcess();
    RemoveTree(m_dir);
    // A row that changed diskettes leaves the drive there, and what it took
    // out goes (once the program that ran from it has gone).
    const std::string floppy = FloppyDirectory();
    const std::string prefix = floppy.substr(0, floppy.rfind('\\'));
    for (const std::string& name : ListDirectory(prefix)) {
        if (name.compare(0, 7, "floppy-") == 0)
            RemoveTree(prefix + "\\" + name);
    }
    CreateDirectoryA(floppy.c_str(), nullptr);
}

void CSetupRun::CloseProcess()
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
    m_process = PROCESS_INFORMATION{};
}

bool CSetupRun::Start(const std::string& exe, const std::string& switches)
{
    CloseProcess();
    DeleteFileA((m_dir + "status.log").c_str()); // the last run's report
    std::string line = "\"" + exe + "\" " + switches;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return Check(CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                m_dir.c_str(), &startup, &m_process),
                 "SETUP.EXE starts");
}

HWND CSetupRun::Find(const char* caption, int requiredItem) const
{
    Search search = {m_process.dwProcessId, caption, requiredItem, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND CSetupRun::WaitFor(const char* caption, int requiredItem) const
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs;) {
        if (HWND found = Find(caption, requiredItem))
            return found;
        if (WaitForSingleObject(m_process.hProcess, 50) != WAIT_TIMEOUT)
            break; // it ended: the window will not come
    }
    std::printf("no window \"%s\"; visible:", caption);
    EnumWindows(&ListWindow, static_cast<LPARAM>(m_process.dwProcessId));
    std::printf("\n");
    return nullptr;
}

bool CSetupRun::WaitGone(const char* caption, int requiredItem) const
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs;) {
        if (Find(caption, requiredItem) == nullptr)
            return true;
        Sleep(50);
    }
    return false;
}

bool CSetupRun::Ends() const
{
    DWORD exitCode = 1;
    return Check(WaitForSingleObject(m_process.hProcess, kTimeoutMs) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(m_process.hProcess, &exitCode) && exitCode == 0,
                 "the program ends with exit code 0");
}

bool CSetupRun::EndsReporting(bool success) const
{
    if (!Ends())
        return false;
    const std::string log = ReadWholeFile(m_dir + "status.log");
    const std::string expected =
        success ? "velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Successful installation.|1\n"
                : "velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Install failed.|0\n";
    return Check(log == expected,
                 success ? "the status library saw a successful run"
                         : "the status library saw a failed run",
                 log);
}

bool LeaveWelcome(const CSetupRun& setup, int button)
{
    HWND bar = ButtonBar(setup.WaitFor("Welcome"));
    return Check(bar != nullptr, "the welcome page shows with its button bar") &&
           Check(!IsWindowEnabled(GetDlgItem(bar, IDC_BACK)) &&
                     IsWindowEnabled(GetDlgItem(bar, IDC_NEXT)),
                 "Back is disabled, Next enabled") &&
           Check(setup.WaitFor("Velmo Screen Saver Setup") != nullptr,
                 "the background window is there") &&
           Click(bar, button);
}

HWND DestinationPage(const CSetupRun& setup, const std::string& location)
{
    HWND page = setup.WaitFor("Select Directory");
    return Check(page != nullptr, "the destination page shows") &&
                   HasText(page, IDC_LOCATION, location, "it proposes destination 0 on C:")
               ? page
               : nullptr;
}

HWND CopyPage(const CSetupRun& setup)
{
    HWND page = setup.WaitFor("Velmo Screen Saver Setup", IDC_COPY_GAUGE);
    return Check(page != nullptr, "the copy page shows") ? page : nullptr;
}

bool ExitQuestion(const CSetupRun& setup, int button)
{
    HWND box = setup.WaitFor("VelmoSaver Setup", IDYES);
    return Check(box != nullptr, "Setup asks whether to exit") && Click(box, button);
}

bool CannotCreate(const CSetupRun& setup, HWND page)
{
    HWND box = setup.WaitFor("VelmoSaver Setup", IDOK);
    return Check(box != nullptr && Text(GetDlgItem(box, 0xFFFF)) == "Cannot Create Directory",
                 "a location that cannot be created gives string 7") &&
           Click(box, IDOK) && setup.WaitGone("VelmoSaver Setup", 0xFFFF) &&
           Check(setup.Find("Select Directory") == page, "the page stays");
}

HWND DiskettePrompt(const CSetupRun& setup, const std::string& label, char drive)
{
    HWND prompt = setup.WaitFor("Insert Diskette", IDC_DISKETTE_REQUEST);
    const std::string request =
        "Please insert the diskette labelled '" + label + "' in drive " + drive + ":";
    return Check(prompt != nullptr, "Setup asks for a diskette") &&
                   HasText(prompt, IDC_DISKETTE_REQUEST, request, "by its label, in its drive")
               ? prompt
               : nullptr;
}

bool ItemFails(const CSetupRun& setup, const std::string& file, const char* info, int button)
{
    HWND warning = setup.WaitFor("Warning", IDC_WARNING_INFO);
    if (!Check(warning != nullptr, "Setup reports the item's failure") ||
        !HasText(warning, IDC_WARNING_HEADLINE,
                 "Cannot install files from '" + file + "':", "headline string 17") ||
        !HasText(warning, IDC_WARNING_INFO, info, "error information") ||
        !HasText(warning, IDOK, "Continue Operation", "it offers to continue"))
        return false;
    // In front of the program's windows and active in its thread (the
    // foreground is the whole desktop's, which other tests share), once it
    // has settled.
    auto inFront = [&] {
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(warning, nullptr), &thread);
        return IsWindowVisible(warning) && setup.Find(nullptr) == warning &&
               (thread.hwndActive == warning || GetParent(thread.hwndActive) == warning);
    };
    for (DWORD start = GetTickCount(); !inFront() && GetTickCount() - start < 5000;)
        Sleep(50);
    return Check(inFront(), "the warning is visible and in front") && Click(warning, button);
}

bool CannotContinue(const CSetupRun& setup, const char* info)
{
    HWND warning = setup.WaitFor("Warning", IDC_WARNING_INFO);
    return Check(warning != nullptr, "Setup warns") &&
           HasText(warning, IDC_WARNING_HEADLINE, "Setup cannot continue", "headline") &&
           HasText(warning, IDC_WARNING_INFO, info, "error information") && Click(warning, IDOK);
}

HWND NotInstalledPage(const CSetupRun& setup)
{
    HWND page = setup.WaitFor("VelmoSaver Setup", IDOK); // the question has no OK
    return Check(HasChildText(page, "The Velmo Screen Saver has NOT been properly installed. You "
                                    "should run this setup procedure again in its entirety."),
                 "the not-installed page shows with its text")
               ? page
               : nullptr;
}

HWND FinishedPage(const CSetupRun& setup)
{
    HWND page = setup.WaitFor("Velmo Screen Saver Setup", IDOK);
    return Check(page != nullptr && HasChildText(page, "We hope you enjoy the Velmo Screen Saver."),
                 "the finished page shows")
               ? page
               : nullptr;
}

bool EndOnNotInstalled(const CSetupRun& setup)
{
    HWND page = NotInstalledPage(setup);
    return page != nullptr && Click(page, IDOK) && setup.EndsReporting(false);
}

bool EndOnFinished(const CSetupRun& setup)
{
    HWND page = FinishedPage(setup);
    return page != nullptr && Click(page, IDOK) && setup.EndsReporting(true);
}
