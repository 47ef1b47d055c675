// End-to-end scenarios: the real SETUP.EXE under Wine, driven from this
// program as a user would drive it.
//
//   setup_driver SCENARIO SETUP.EXE [ISMIF32.DLL]
//
// Exit code 0 when the scenario went as expected; the steps are printed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "SetupProcess.h"
#include "res/resource.h"

namespace {

const char kFailedReport[] =
    "velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Install failed.|0\n";
const char kQuestion[] =
    "Velmo Screen Saver installation not complete. Do you really want to exit Setup?";
const char kNotInstalled[] = "The Velmo Screen Saver has NOT been properly installed. You should "
                             "run this setup procedure again in its entirety.";
const char kProfileMissing[] =
    "The profile that holds application install information is missing or damaged. Possible "
    "causes:\r\n\r\n- damaged diskette 1\r\n- possible diskette alignment or hardware "
    "problem\r\n- insufficient disk space";
const DWORD kExitTimeoutMs = 20000;
// The text control of a message box.
const int kMessageBoxText = 0xFFFF;

bool Check(bool condition, const char* what)
{
    std::printf("%s %s\n", condition ? "ok  " : "FAIL", what);
    return condition;
}

bool CheckText(const std::string& actual, const char* expected, const char* what)
{
    bool same = actual == expected;
    std::printf("%s %s\n", same ? "ok  " : "FAIL", what);
    if (!same)
        std::printf("     expected \"%s\"\n     got      \"%s\"\n", expected, actual.c_str());
    return same;
}

// The welcome page with its button bar, checked as a user first sees it.
bool SeeWelcome(CSetupProcess& setup, HWND& page, HWND& bar)
{
    page = setup.WaitForWindow("Welcome");
    if (!Check(page != nullptr, "the welcome page shows"))
        return false;
    bar = CSetupProcess::ChildDialog(page);
    return Check(bar != nullptr, "it carries the button bar") &&
           Check(!CSetupProcess::IsItemEnabled(bar, IDC_BACK), "Back is disabled") &&
           Check(CSetupProcess::IsItemEnabled(bar, IDC_NEXT), "Next is enabled") &&
           Check(setup.WaitForWindow("Velmo Screen Saver Setup") != nullptr,
                 "the background window is there");
}

// The question of string 5; answers it.
bool AnswerQuestion(CSetupProcess& setup, int answer)
{
    HWND box = setup.WaitForWindow("VelmoSaver Setup", IDYES);
    return Check(box != nullptr, "Setup asks whether to exit") &&
           CheckText(CSetupProcess::ItemText(box, kMessageBoxText), kQuestion, "with string 5") &&
           CSetupProcess::Click(box, answer);
}

// The not-installed page; ends the program with its OK.
bool FinishOnNotInstalled(CSetupProcess& setup)
{
    HWND page = setup.WaitForWindow("VelmoSaver Setup", IDOK, IDYES);
    if (!Check(page != nullptr, "the not-installed page shows"))
        return false;
    bool textShown = false;
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        textShown = textShown || CSetupProcess::Text(child) == kNotInstalled;
    return Check(textShown, "with its text") && CSetupProcess::Click(page, IDOK);
}

bool EndsReportingFailure(CSetupProcess& setup)
{
    DWORD exitCode = 1;
    return Check(setup.WaitForExit(kExitTimeoutMs, exitCode), "the program ends") &&
           Check(exitCode == 0, "with exit code 0") &&
           CheckText(setup.StatusLog(), kFailedReport, "the status library saw a failed run");
}

// Welcome, Cancel, Yes, page 116, OK: the run ends as failed.
bool Cancel(CSetupProcess& setup)
{
    HWND page, bar;
    return setup.Start("") && SeeWelcome(setup, page, bar) && CSetupProcess::Click(bar, IDCANCEL) &&
           AnswerQuestion(setup, IDYES) && FinishOnNotInstalled(setup) &&
           EndsReportingFailure(setup);
}

// The keyboard through the program's own message loop: Esc asks, Enter is
// Next; the profile is missing, so the reading page reports it and the run
// ends on page 116, which Esc closes.
bool Keys(CSetupProcess& setup)
{
    HWND page, bar;
    if (!(setup.Start("") && SeeWelcome(setup, page, bar)))
        return false;
    CSetupProcess::Key(bar, IDC_NEXT, VK_ESCAPE);
    if (!AnswerQuestion(setup, IDNO))
        return false;
    CSetupProcess::Key(bar, IDC_NEXT, VK_RETURN);
    HWND warning = setup.WaitForWindow("Warning", IDC_WARNING_INFO);
    if (!(Check(warning != nullptr, "Enter led on to a warning") &&
          CheckText(CSetupProcess::ItemText(warning, IDC_WARNING_HEADLINE), "Setup cannot continue",
                    "headline") &&
          CheckText(CSetupProcess::ItemText(warning, IDC_WARNING_TITLE),
                    "Incomplete or missing profile.", "the profile is missing") &&
          CSetupProcess::Click(warning, IDOK)))
        return false;
    HWND closing = setup.WaitForWindow("VelmoSaver Setup", IDOK, IDYES);
    if (!Check(closing != nullptr, "the not-installed page shows"))
        return false;
    CSetupProcess::Key(closing, IDOK, VK_ESCAPE);
    return EndsReportingFailure(setup);
}

// Unattended: no window waits for anyone, and the run (without a profile) ends as failed.
bool Batch(CSetupProcess& setup)
{
    return setup.Start("/B") && EndsReportingFailure(setup);
}

// Closing the background window (Alt+F4) asks string 5; Yes leaves the
// wizard through the not-installed page.
bool CloseBackground(CSetupProcess& setup)
{
    HWND page, bar;
    if (!(setup.Start("") && SeeWelcome(setup, page, bar)))
        return false;
    HWND background = setup.WaitForWindow("Velmo Screen Saver Setup");
    PostMessageA(background, WM_CLOSE, 0, 0);
    return AnswerQuestion(setup, IDYES) && FinishOnNotInstalled(setup) &&
           EndsReportingFailure(setup);
}

// Without the status library the program ends just the same, silently.
bool NoStatusLibrary(CSetupProcess& setup)
{
    HWND page, bar;
    DWORD exitCode = 1;
    return setup.Start("") && SeeWelcome(setup, page, bar) && CSetupProcess::Click(bar, IDCANCEL) &&
           AnswerQuestion(setup, IDYES) && FinishOnNotInstalled(setup) &&
           Check(setup.WaitForExit(kExitTimeoutMs, exitCode), "the program ends") &&
           Check(exitCode == 0, "with exit code 0") &&
           Check(!setup.StatusLogExists(), "nothing was reported");
}

// A directory for /D:, holding a profile named as SETUP.EXE looks for it
// (SETUP.ini) unless profile is null; removed afterwards.
class CProfileDirectory {
public:
    explicit CProfileDirectory(const char* profile)
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        char name[64];
        std::snprintf(name, sizeof name, "velmo-profile-%lu-%lu", GetCurrentProcessId(),
                      GetTickCount());
        m_directory = std::string(temp) + name + "\\";
        CreateDirectoryA(m_directory.c_str(), nullptr);
        if (profile == nullptr)
            return;
        if (FILE* file = std::fopen((m_directory + "SETUP.ini").c_str(), "wb")) {
            std::fputs(profile, file);
            std::fclose(file);
        }
    }
    ~CProfileDirectory()
    {
        DeleteFileA((m_directory + "SETUP.ini").c_str());
        RemoveDirectoryA(m_directory.c_str());
    }
    CProfileDirectory(const CProfileDirectory&) = delete;
    CProfileDirectory& operator=(const CProfileDirectory&) = delete;

    std::string Switch() const { return "/D:" + m_directory; }

private:
    std::string m_directory;
};

const char kGoodProfile[] = "[destinations]\r\n0=VELMO\r\n1=BIN|0\r\n3=FONTS||C:\\FONTS\\\r\n"
                            "[groups]\r\nMain=Velmo Screen Saver|The saver|1|1|1\r\n"
                            "System95=Windows 95 extras|Only for Windows 95|0|1|1\r\n"
                            "[Main]\r\nSAVER.ARC=900|1|3|2|0|\r\nREADME.TXT=1200|0|1|1|0|\r\n"
                            "[System95]\r\nVELMO95.DLL=4096|0|1|-1|-3|\r\n"
                            "[targets]\r\nsaver.exe=0|0|0|Velmo Screen Saver|/s||\r\n"
                            "[diskettes]\r\n1=Velmo Screen Saver Disk 1|\r\n";

// With /D: naming a directory that holds a good profile, Next on the welcome
// page reads it without complaint, passes over the install conditions and
// arrives at the destination page's place in the chain: the destination page,
// proposing the profile's main directory, or, while the program has none, the
// wizard's report of a page it cannot show. The run then ends as failed.
bool ReadProfile(CSetupProcess& setup)
{
    CProfileDirectory directory(kGoodProfile);
    HWND page, bar;
    if (!(setup.Start(directory.Switch()) && SeeWelcome(setup, page, bar) &&
          CSetupProcess::Click(bar, IDC_NEXT)))
        return false;
    HWND destination = nullptr;
    HWND warning = nullptr;
    bool conditionsShown = false;
    for (DWORD start = GetTickCount();
         destination == nullptr && warning == nullptr && GetTickCount() - start < 20000;
         Sleep(20)) {
        conditionsShown = conditionsShown || setup.LookForWindow("Install Conditions") != nullptr;
        destination = setup.LookForWindow("Select Directory");
        warning = setup.LookForWindow("Warning", IDC_WARNING_INFO);
    }
    if (!(Check(destination != nullptr || warning != nullptr, "Next leads past the reading page") &&
          Check(!conditionsShown, "the install-conditions page never shows")))
        return false;
    if (destination != nullptr) {
        std::string proposed = CSetupProcess::ItemText(destination, 1001);
        if (!(Check(proposed.size() >= 5 && proposed.compare(proposed.size() - 5, 5, "VELMO") == 0,
                    "the destination page proposes the profile's main directory") &&
              CSetupProcess::Click(CSetupProcess::ChildDialog(destination), IDCANCEL) &&
              AnswerQuestion(setup, IDYES)))
            return false;
    } else if (!(CheckText(CSetupProcess::ItemText(warning, IDC_WARNING_HEADLINE),
                           "Setup cannot continue", "the wizard reports the page it cannot show") &&
                 CheckText(CSetupProcess::ItemText(warning, IDC_WARNING_INFO),
                           "9.0 (CXResourceException)", "not the profile") &&
                 CSetupProcess::Click(warning, IDOK))) {
        return false;
    }
    return FinishOnNotInstalled(setup) && EndsReportingFailure(setup);
}

// With /D: naming a directory without a profile: "Setup cannot continue" with
// the profile's texts (strings 10 and 13), then page 116; the run failed.
bool MissingProfile(CSetupProcess& setup)
{
    CProfileDirectory directory(nullptr);
    HWND page, bar;
    if (!(setup.Start(directory.Switch()) && SeeWelcome(setup, page, bar) &&
          CSetupProcess::Click(bar, IDC_NEXT)))
        return false;
    HWND warning = setup.WaitForWindow("Warning", IDC_WARNING_INFO);
    return Check(warning != nullptr, "Setup warns") &&
           CheckText(CSetupProcess::ItemText(warning, IDC_WARNING_HEADLINE),
                     "Setup cannot continue", "headline") &&
           CheckText(CSetupProcess::ItemText(warning, IDC_WARNING_TITLE),
                     "Incomplete or missing profile.", "string 10") &&
           CheckText(CSetupProcess::ItemText(warning, IDC_WARNING_DESCRIPTION), kProfileMissing,
                     "string 13") &&
           CheckText(CSetupProcess::ItemText(warning, IDC_WARNING_INFO),
                     "9.0 (CInstallProfileException)", "error information") &&
           CSetupProcess::Click(warning, IDOK) && FinishOnNotInstalled(setup) &&
           EndsReportingFailure(setup);
}

struct Scenario {
    const char* name;
    bool (*run)(CSetupProcess&);
    bool withLibrary;
};

const Scenario kScenarios[] = {
    {"cancel", &Cancel, true},
    {"keys", &Keys, true},
    {"batch", &Batch, true},
    {"close-background", &CloseBackground, true},
    {"no-status-library", &NoStatusLibrary, false},
    {"read-profile", &ReadProfile, true},
    {"missing-profile", &MissingProfile, true},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("usage: setup_driver SCENARIO SETUP.EXE [ISMIF32.DLL]\n");
        return 2;
    }
    for (const Scenario& scenario : kScenarios) {
        if (std::strcmp(argv[1], scenario.name) != 0)
            continue;
        std::string library = scenario.withLibrary && argc > 3 ? argv[3] : "";
        bool passed;
        {
            CSetupProcess setup(argv[2], library);
            passed = scenario.run(setup);
        }
        std::printf("%s: %s\n", scenario.name, passed ? "passed" : "FAILED");
        return passed ? 0 : 1;
    }
    std::printf("unknown scenario %s\n", argv[1]);
    return 2;
}
