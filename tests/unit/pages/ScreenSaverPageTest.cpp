// The screen-saver page inside the real wizard, run from a test as the
// reading-setup test runs its page, with HKEY_CURRENT_USER of this process on
// a scratch key while the page works.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "app/SetupApp.h"
#include "common/GuiDriver.h"
#include "res/resource.h"
#include "unit/support/ScratchDirectory.h"
#include "unit/system/ScratchUser.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

namespace {

const char kDesktop[] = "Control Panel\\Desktop";

CWizardPage* FindPage(int id)
{
    auto it = g_mapPages.find(id);
    return it != g_mapPages.end() ? it->second : nullptr;
}

bool PumpUntilPage(int id)
{
    auto shown = [id] {
        CWizardPage* page = FindPage(id);
        return page != nullptr && g_pCurrentPage == page && page->m_hWnd != nullptr &&
               IsWindowVisible(page->m_hWnd);
    };
    PumpUntil(shown, 10000);
    PumpPending();
    return shown();
}

// The application started with /D: naming a scratch directory, its welcome
// page shown; at the end the program shuts down as it would.
class CWizardRun {
public:
    CWizardRun()
    {
        ResetQuit();
        m_app = std::make_unique<CSetupApp>();
        m_app->m_strCmdLine = "/D:" + m_directory.Path() + " ";
        m_bStarted = m_app->InitInstance() && PumpUntilPage(IDD_WELCOME);
    }
    ~CWizardRun()
    {
        if (CWnd* mainWnd = AfxGetMainWnd())
            mainWnd->DestroyWindow();
        PumpPending();
        m_app->ExitInstance();
        ResetQuit();
    }
    bool Started() const { return m_bStarted; }
    CSetupApp& App() { return *m_app; }

private:
    CScratchDirectory m_directory;
    std::unique_ptr<CSetupApp> m_app;
    bool m_bStarted = false;
};

// What the page writes: the System directory with the fixed file name.
std::string SaverValue()
{
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    return "Scrnsave.exe=1:" + std::string(system) + "\\VelmoSaver.scr|";
}

} // namespace

TEST(ScreenSaverPage, RegistersTheSaverWhereTheUserHasDesktopSettingsAndGoesOn)
{
    const struct {
        bool desktop, success;
        int page;
        std::string values;
    } cases[] = {
        // An old value in another spelling gives way to exactly one value in
        // ours; other values stay.
        {true, true, IDD_FINISHED, SaverValue() + "Wallpaper=1:(none)|"},
        // A failed copy still registers, and ends not installed.
        {true, false, IDD_NOT_INSTALLED, SaverValue() + "Wallpaper=1:(none)|"},
        // A user without desktop settings gets none: not even Control Panel.
        {false, true, IDD_FINISHED, "(no key)"},
    };
    for (const auto& c : cases) {
        CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
        CWizardRun run;
        ASSERT_TRUE(run.Started());
        CScratchUser user;
        if (c.desktop) {
            user.SetString(kDesktop, "SCRNSAVE.EXE", "C:\\WINDOWS\\other.scr");
            user.SetString(kDesktop, "Wallpaper", "(none)");
        }
        run.App().m_bSuccess = c.success;

        GoToPage(IDD_SCREEN_SAVER);
        // The page's template, with the button bar.
        const HWND page = FindPage(IDD_SCREEN_SAVER)->m_hWnd;
        EXPECT_EQ(WindowText(page), "VelmoSaver Setup");
        EXPECT_NE(FindPage(IDD_SCREEN_SAVER)->m_pButtonBar, nullptr);
        EXPECT_NE(FindWindowExA(page, nullptr, "Static",
                                "Registering the Velmo Screen Saver as the default..."),
                  nullptr);
        ASSERT_TRUE(PumpUntilPage(c.page)) << c.values;
        EXPECT_EQ(user.Values(c.desktop ? kDesktop : "Control Panel"), c.values);
        EXPECT_EQ(warnings.Count(), 0);
    }
}
