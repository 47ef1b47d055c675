#include "SetupRun.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "res/resource.h"

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
        Text(window) == search->caption &&
        (search->requiredItem == 0 || GetDlgItem(window, search->requiredItem) != nullptr)) {
        search->found = window;
        return FALSE;
    }
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

} // namespace

bool Check(bool condition, const char* what, const std::string& found)
{
    std::printf("%s %s\n", condition ? "ok  " : "FAIL", what);
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

bool HasText(HWND dialog, int id, const char* expected, const char* what)
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

bool WriteFileText(const std::string& path, const std::string& data)
{
    std::ofstream out(path, std::ios::binary);
    out << data;
    return static_cast<bool>(out);
}

std::string ReadFileText(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
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
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

std::string Payload(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::string data(n, '\0');
    for (char& ch : data)
        ch = static_cast<char>(random() & 0xFF);
    return data;
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

std::string ReadShortcut(const std::string& file)
{
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    std::string fields = "(cannot be read)";
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* persist = nullptr;
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
            SUCCEEDED(persist->Load(wide, STGM_READ))) {
            char path[MAX_PATH] = "", arguments[MAX_PATH] = "", description[MAX_PATH] = "",
                 icon[MAX_PATH] = "", directory[MAX_PATH] = "";
            int iconIndex = 0, show = 0;
            link->GetPath(path, MAX_PATH, nullptr, 0);
            link->GetArguments(arguments, MAX_PATH);
            link->GetDescription(description, MAX_PATH);
            link->GetIconLocation(icon, MAX_PATH, &iconIndex);
            link->GetWorkingDirectory(directory, MAX_PATH);
            link->GetShowCmd(&show);
            fields = std::string(path) + "|" + arguments + "|" + description + "|" + icon + "|" +
                     directory + "|" + std::to_string(show);
        }
        if (persist != nullptr)
            persist->Release();
        link->Release();
    }
    CoUninitialize();
    return fields;
}

bool InsertDiskette(const std::string& disk)
{
    for (const std::string& name : ListDirectory("A:"))
        DeleteFileA(("A:\\" + name).c_str());
    bool ok = true;
    for (const std::string& name : ListDirectory(disk))
        ok = CopyFileA((disk + name).c_str(), ("A:\\" + name).c_str(), FALSE) && ok;
    return ok;
}

CSetupRun::CSetupRun(const CPrograms& programs) : m_programs(programs)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    m_name = "velmo-e2e-" + std::to_string(GetCurrentProcessId());
    m_dir = std::string(temp) + m_name + "\\";
    CreateDirectoryA(m_dir.c_str(), nullptr);
    CreateDirectoryA((m_dir + "profile").c_str(), nullptr);
    CopyFileA(programs.setup.c_str(), (m_dir + "SETUP.EXE").c_str(), FALSE);
    CopyFileA(programs.status.c_str(), (m_dir + "ismif32.dll").c_str(), FALSE);
    SetEnvironmentVariableA("ISMIF32_LOG", (m_dir + "status.log").c_str());
}

CSetupRun::~CSetupRun()
{
    CloseProcess();
    RemoveTree(m_dir);
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

bool CSetupRun::Start(const char* switches, bool withProfileDirectory)
{
    std::string line = switches;
    if (withProfileDirectory)
        line += " /D:" + m_dir + "profile\\";
    return StartProgram(m_dir + "SETUP.EXE", line.c_str());
}

bool CSetupRun::StartProgram(const std::string& exe, const char* switches)
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

void CSetupRun::WriteProfile(const char* text) const
{
    WriteFileText(m_dir + "profile\\SETUP.ini", text);
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
    struct Lister {
        static BOOL CALLBACK Each(HWND window, LPARAM lParam)
        {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            if (processId == static_cast<DWORD>(lParam) && IsWindowVisible(window))
                std::printf(" \"%s\"", Text(window).c_str());
            return TRUE;
        }
    };
    EnumWindows(&Lister::Each, static_cast<LPARAM>(m_process.dwProcessId));
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
    const std::string log = ReadFileText(m_dir + "status.log");
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
    HWND page = setup.WaitFor("Welcome");
    HWND bar = page != nullptr ? FindWindowExA(page, nullptr, "#32770", nullptr) : nullptr;
    return Check(bar != nullptr, "the welcome page shows with its button bar") &&
           Check(!IsWindowEnabled(GetDlgItem(bar, IDC_BACK)) &&
                     IsWindowEnabled(GetDlgItem(bar, IDC_NEXT)),
                 "Back is disabled, Next enabled") &&
           Check(setup.WaitFor("Velmo Screen Saver Setup") != nullptr,
                 "the background window is there") &&
           Click(bar, button);
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
    return page != nullptr && Click(page, IDOK) && setup.EndsReportingFailure();
}

bool EndOnFinished(const CSetupRun& setup)
{
    HWND page = FinishedPage(setup);
    return page != nullptr && Click(page, IDOK) && setup.EndsReporting(true);
}

bool CannotContinue(HWND warning, const char* info)
{
    return Check(warning != nullptr, "Setup warns") &&
           HasText(warning, IDC_WARNING_HEADLINE, "Setup cannot continue", "headline") &&
           HasText(warning, IDC_WARNING_INFO, info, "error information") && Click(warning, IDOK);
}
