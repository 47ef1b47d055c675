// End-to-end scenarios: the real SETUP.EXE under Wine, driven as a user would
// drive it (windows found by caption, texts read, buttons clicked):
//   setup_driver cancel|batch|read-profile|missing-profile SETUP.EXE ISMIF32.DLL
// Exit code 0 when the scenario went as expected; the steps are printed. Every
// wait has a deadline, and a SETUP.EXE that overstays is ended.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "res/resource.h"

namespace {

const DWORD kTimeoutMs = 20000;

// Prints the step; on failure also what was found, when given.
bool Check(bool condition, const char* what, const std::string& found = std::string())
{
    std::printf("%s %s\n", condition ? "ok  " : "FAIL", what);
    if (!condition && !found.empty())
        std::printf("     found \"%s\"\n", found.c_str());
    return condition;
}

// WM_GETTEXT crosses processes: a program that hangs must not hang the driver.
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

// Clicks button id, which must be there, visible and enabled. Posted: the click
// may open a modal box, which must not block the driver.
bool Click(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button))
        return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
    std::printf("FAIL button %d cannot be clicked\n", id);
    return false;
}

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

// One run of SETUP.EXE copied into a fresh directory with the status library
// beside it, which logs into that directory; its subdirectory "profile" is for
// /D:. Paths given as Unix paths are on Wine's current drive, Z:.
class CSetupRun {
public:
    CSetupRun(const char* setupExe, const char* statusLibrary)
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        m_dir = std::string(temp) + "velmo-e2e-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(m_dir.c_str(), nullptr);
        CreateDirectoryA((m_dir + "profile").c_str(), nullptr);
        CopyFileA(setupExe, (m_dir + "SETUP.EXE").c_str(), FALSE);
        CopyFileA(statusLibrary, (m_dir + "ismif32.dll").c_str(), FALSE);
        SetEnvironmentVariableA("ISMIF32_LOG", (m_dir + "status.log").c_str());
    }
    ~CSetupRun()
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
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    CSetupRun(const CSetupRun&) = delete;

    // Starts SETUP.EXE, with /D: naming the profile directory when asked.
    bool Start(const char* switches, bool withProfileDirectory = false)
    {
        std::string exe = m_dir + "SETUP.EXE";
        std::string line = "\"" + exe + "\" " + switches;
        if (withProfileDirectory)
            line += " /D:" + m_dir + "profile\\";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        return Check(CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                    m_dir.c_str(), &startup, &m_process),
                     "SETUP.EXE starts");
    }
    void WriteProfile(const char* text) const
    {
        std::ofstream(m_dir + "profile\\SETUP.ini", std::ios::binary) << text;
    }

    // The visible top-level window of the program with this caption (and a
    // control of id requiredItem, when given).
    HWND Find(const char* caption, int requiredItem = 0) const
    {
        Search search = {m_process.dwProcessId, caption, requiredItem, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    HWND WaitFor(const char* caption, int requiredItem = 0) const
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs;) {
            if (HWND found = Find(caption, requiredItem))
                return found;
            if (WaitForSingleObject(m_process.hProcess, 50) != WAIT_TIMEOUT)
                break; // it ended: the window will not come
        }
        std::printf("no window \"%s\"\n", caption);
        return nullptr;
    }

    // The program ends with exit code 0 and the status library saw a failed run.
    bool EndsReportingFailure() const
    {
        DWORD exitCode = 1;
        if (!Check(WaitForSingleObject(m_process.hProcess, kTimeoutMs) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(m_process.hProcess, &exitCode) && exitCode == 0,
                   "the program ends with exit code 0"))
            return false;
        std::ostringstream log;
        log << std::ifstream(m_dir + "status.log", std::ios::binary).rdbuf();
        return Check(log.str() ==
                         "velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Install failed.|0\n",
                     "the status library saw a failed run", log.str());
    }

private:
    std::string m_dir;
    PROCESS_INFORMATION m_process = {};
};

// The welcome page as a user first sees it, over the background window; Next
// or Cancel (button) clicked on its button bar.
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

// The not-installed page with its text; its OK ends the run as failed.
bool EndOnNotInstalled(const CSetupRun& setup)
{
    HWND page = setup.WaitFor("VelmoSaver Setup", IDOK); // the question has no OK
    bool textShown = false;
    for (HWND child = page ? GetWindow(page, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT))
        textShown = textShown || Text(child) == "The Velmo Screen Saver has NOT been properly "
                                                "installed. You should run this setup procedure "
                                                "again in its entirety.";
    return Check(textShown, "the not-installed page shows with its text") && Click(page, IDOK) &&
           setup.EndsReportingFailure();
}

// The warning "Setup cannot continue" with this error information; answered OK.
bool CannotContinue(HWND warning, const char* info)
{
    return Check(warning != nullptr, "Setup warns") &&
           HasText(warning, IDC_WARNING_HEADLINE, "Setup cannot continue", "headline") &&
           HasText(warning, IDC_WARNING_INFO, info, "error information") && Click(warning, IDOK);
}

// Cancel on the welcome page asks string 5; Yes ends on page 116.
bool Cancel(CSetupRun& setup)
{
    HWND box;
    return setup.Start("") && LeaveWelcome(setup, IDCANCEL) &&
           Check((box = setup.WaitFor("VelmoSaver Setup", IDYES)) != nullptr,
                 "Setup asks whether to exit") &&
           HasText(box, 0xFFFF, // the message box's text
                   "Velmo Screen Saver installation not complete. Do you really want to exit "
                   "Setup?",
                   "with string 5") &&
           Click(box, IDYES) && EndOnNotInstalled(setup);
}

// Unattended: no window waits for anyone, and the run (without a profile) ends as failed.
bool Batch(CSetupRun& setup)
{
    return setup.Start("/B") && setup.EndsReportingFailure();
}

// With /D: naming a directory that holds a good profile, Next on the welcome
// page reads it without complaint and passes over the install conditions
// (which would wait for the user) to the destination page's place in the
// chain. The program has no destination page yet: the wizard reports the page
// it cannot show, and the run ends as failed.
bool ReadProfile(CSetupRun& setup)
{
    setup.WriteProfile("[destinations]\r\n0=VELMO\r\n1=BIN|0\r\n3=FONTS||C:\\FONTS\\\r\n"
                       "[groups]\r\nMain=Velmo Screen Saver|The saver|1|1|1\r\n"
                       "[Main]\r\nSAVER.ARC=900|1|3|2|0|\r\nREADME.TXT=1200|0|1|1|0|\r\n"
                       "[diskettes]\r\n1=Velmo Screen Saver Disk 1|\r\n");
    return setup.Start("", true) && LeaveWelcome(setup, IDC_NEXT) &&
           CannotContinue(setup.WaitFor("Warning", IDC_WARNING_INFO),
                          "9.0 (CXResourceException)") &&
           EndOnNotInstalled(setup);
}

// With /D: naming a directory without a profile: "Setup cannot continue" with
// the profile's texts (strings 10 and 13), then page 116.
bool MissingProfile(CSetupRun& setup)
{
    HWND warning;
    return setup.Start("", true) && LeaveWelcome(setup, IDC_NEXT) &&
           (warning = setup.WaitFor("Warning", IDC_WARNING_INFO)) != nullptr &&
           HasText(warning, IDC_WARNING_TITLE, "Incomplete or missing profile.", "string 10") &&
           HasText(warning, IDC_WARNING_DESCRIPTION,
                   "The profile that holds application install information is missing or "
                   "damaged. Possible causes:\r\n\r\n- damaged diskette 1\r\n- possible diskette "
                   "alignment or hardware problem\r\n- insufficient disk space",
                   "string 13") &&
           CannotContinue(warning, "9.0 (CInstallProfileException)") && EndOnNotInstalled(setup);
}

} // namespace

int main(int argc, char** argv)
{
    const struct {
        const char* name;
        bool (*run)(CSetupRun&);
    } scenarios[] = {{"cancel", &Cancel},
                     {"batch", &Batch},
                     {"read-profile", &ReadProfile},
                     {"missing-profile", &MissingProfile}};
    for (const auto& scenario : scenarios) {
        if (argc != 4 || std::strcmp(argv[1], scenario.name) != 0)
            continue;
        bool passed;
        {
            CSetupRun setup(argv[2], argv[3]);
            passed = scenario.run(setup);
        }
        std::printf("%s: %s\n", scenario.name, passed ? "passed" : "FAILED");
        return passed ? 0 : 1;
    }
    std::printf("usage: setup_driver SCENARIO SETUP.EXE ISMIF32.DLL\n");
    return 2;
}
