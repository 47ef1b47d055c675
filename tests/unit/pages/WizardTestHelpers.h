#pragma once
// Runs the real wizard inside a test: an application object started with a
// command line, messages served as the application's loop serves them, and
// the dialogs that the wizard runs modally (warnings, questions) read and
// answered the way a user would.

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/SetupApp.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "unit/support/ScratchDirectory.h"
#include "wizard/WizardButtonBar.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

// What a warning dialog showed.
struct SeenWarning {
    std::string headline;
    std::string title;
    std::string description;
    std::string info;
};

// Answers the modal dialogs of the wizard from a thread timer, which their
// modal loops dispatch: warnings with OK, questions with the chosen button.
// One at a time (the timer procedure has no context of its own).
class CDialogAnswerer {
public:
    explicit CDialogAnswerer(int questionAnswer = IDYES)
    {
        s_pThis = this;
        m_nAnswer = questionAnswer;
        m_timer = SetTimer(nullptr, 0, 30, &CDialogAnswerer::OnTimer);
    }
    CDialogAnswerer(const CDialogAnswerer&) = delete;
    CDialogAnswerer& operator=(const CDialogAnswerer&) = delete;
    ~CDialogAnswerer()
    {
        KillTimer(nullptr, m_timer);
        s_pThis = nullptr;
    }

    void SetAnswer(int answer) { m_nAnswer = answer; }

    std::vector<SeenWarning> m_warnings;
    // The texts of the questions asked, in order.
    std::vector<std::string> m_questions;

private:
    static std::string ItemText(HWND dialog, int id)
    {
        char text[1024] = "";
        GetDlgItemTextA(dialog, id, text, sizeof text);
        return text;
    }

    static BOOL CALLBACK CollectStatic(HWND child, LPARAM lParam)
    {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        char text[1024] = "";
        GetWindowTextA(child, text, sizeof text);
        if (lstrcmpiA(className, "Static") == 0 && text[0] != '\0')
            *reinterpret_cast<std::string*>(lParam) += text;
        return TRUE;
    }

    static BOOL CALLBACK Answer(HWND window, LPARAM)
    {
        CDialogAnswerer* self = s_pThis;
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        if (self == nullptr || lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window) ||
            self->m_answered.count(window) != 0)
            return TRUE;
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (lstrcmpA(caption, "Warning") == 0 && GetDlgItem(window, IDC_WARNING_INFO) != nullptr) {
            self->m_answered.insert(window);
            self->m_warnings.push_back(
                {ItemText(window, IDC_WARNING_HEADLINE), ItemText(window, IDC_WARNING_TITLE),
                 ItemText(window, IDC_WARNING_DESCRIPTION), ItemText(window, IDC_WARNING_INFO)});
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        } else if (GetDlgItem(window, IDYES) != nullptr && GetDlgItem(window, IDNO) != nullptr) {
            self->m_answered.insert(window);
            std::string text;
            EnumChildWindows(window, &CDialogAnswerer::CollectStatic,
                             reinterpret_cast<LPARAM>(&text));
            self->m_questions.push_back(text);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(self->m_nAnswer, BN_CLICKED), 0);
        }
        return TRUE;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), &CDialogAnswerer::Answer, 0);
    }

    static inline CDialogAnswerer* s_pThis = nullptr;
    UINT_PTR m_timer = 0;
    int m_nAnswer = IDYES;
    std::set<HWND> m_answered;
};

// The page registered under id, or null.
inline CWizardPage* FindPage(int id)
{
    auto it = g_mapPages.find(id);
    return it != g_mapPages.end() ? it->second : nullptr;
}

// The id of the page the wizard shows; 0 when none.
inline int CurrentPageId()
{
    return g_pCurrentPage != nullptr ? g_pCurrentPage->m_nPageId : 0;
}

// Whether the page exists with a visible window.
inline bool IsPageVisible(int id)
{
    CWizardPage* page = FindPage(id);
    return page != nullptr && page->m_hWnd != nullptr && IsWindowVisible(page->m_hWnd);
}

// Stands in for a page of the chain that the test does not exercise: it has
// the page's id and links but borrows the welcome page's template.
class CStandInPage : public CWizardPage {
public:
    CStandInPage(int pageId, int nextPage) : CWizardPage(pageId, nextPage) {}
    BOOL CreatePage() override { return Create(IDD_WELCOME, nullptr); }
};

// One run of the wizard: a fresh application object started with the given
// switches, its profile written (or not) into a scratch directory that /D:
// names.
class CWizardRun {
public:
    CWizardRun() = default;
    CWizardRun(const CWizardRun&) = delete;
    CWizardRun& operator=(const CWizardRun&) = delete;
    ~CWizardRun() { End(); }

    // The directory that /D: names.
    const CScratchDirectory& Directory() const { return m_directory; }

    // Writes the profile as the program looks for it: its own file title with
    // extension "ini", in the /D: directory.
    std::string WriteProfile(const std::string& text) const
    {
        return m_directory.WriteFile(ProfileName(), text);
    }
    static std::string ProfileName()
    {
        char module[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, module, sizeof module);
        std::string name = module;
        name = name.substr(name.find_last_of('\\') + 1);
        return name.substr(0, name.find_last_of('.')) + ".ini";
    }

    // Starts the application: InitInstance with "/D:<directory> " + switches;
    // the welcome page is then shown. False when InitInstance failed.
    bool Start(const std::string& switches = std::string())
    {
        m_app = std::make_unique<CSetupApp>();
        m_app->m_strCmdLine = "/D:" + m_directory.Path() + " " + switches;
        return m_app->InitInstance() != FALSE;
    }

    CSetupApp& App() { return *m_app; }

    // Serves messages as the application's loop does until done() holds with
    // the queue empty, or about ten seconds have passed (false).
    static bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000)
    {
        DWORD start = GetTickCount();
        for (;;) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT)
                    continue; // the wizard has ended; AfxGetMainWnd() tells
                CWinApp* app = AfxGetApp();
                if (app == nullptr || !app->PreTranslateMessage(&msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageA(&msg);
                }
            }
            if (done())
                return true;
            if (GetTickCount() - start > timeoutMs)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }

    // Serves messages until the wizard shows page id and has nothing left to do.
    static bool PumpUntilPage(int id)
    {
        return PumpUntil([id] { return CurrentPageId() == id && IsPageVisible(id); });
    }

    // Clicks a button of the page's button bar (IDC_NEXT, IDC_BACK, IDCANCEL).
    static void ClickBar(int pageId, int buttonId)
    {
        CWizardPage* page = FindPage(pageId);
        if (page != nullptr && page->m_pButtonBar != nullptr)
            PostMessageA(GetDlgItem(page->m_pButtonBar->m_hWnd, buttonId), BM_CLICK, 0, 0);
    }

    // Clicks a button of the page itself.
    static void ClickPage(int pageId, int buttonId)
    {
        CWizardPage* page = FindPage(pageId);
        if (page != nullptr && page->m_hWnd != nullptr)
            PostMessageA(GetDlgItem(page->m_hWnd, buttonId), BM_CLICK, 0, 0);
    }

    // Ends the run as the program does: the main window goes, then ExitInstance.
    void End()
    {
        if (m_app == nullptr)
            return;
        if (CWnd* mainWnd = AfxGetMainWnd())
            mainWnd->DestroyWindow();
        PumpUntil([] { return true; }, 0);
        m_app->ExitInstance();
        m_app.reset();
    }

private:
    CScratchDirectory m_directory;
    std::unique_ptr<CSetupApp> m_app;
};
