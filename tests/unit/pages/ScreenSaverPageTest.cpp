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
#include "common/WizardRun.h"
#include "unit/system/ScratchUser.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

namespace {

const char kDesktop[] = "Control Panel\\Desktop";

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
        // ours; other values stay. A failed copy still registers, and ends not
        // installed (a successful one: the end-to-end row install).
        {true, false, IDD_NOT_INSTALLED, SaverValue() + "Wallpaper=1:(none)|"},
        // A user without desktop settings gets none: not even Control Panel.
        {false, true, IDD_FINISHED, "(no key)"},
    };
    for (const auto& c : cases) {
        CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
        CWizardRun run;
        ASSERT_TRUE(run.Start());
        CScratchUser user;
        if (c.desktop) {
            user.SetString(kDesktop, "SCRNSAVE.EXE", "C:\\WINDOWS\\other.scr");
            user.SetString(kDesktop, "Wallpaper", "(none)");
        }
        run.App().m_bSuccess = c.success;

        GoToPage(IDD_SCREEN_SAVER);
        ASSERT_TRUE(PumpUntilPage(c.page)) << c.values;
        EXPECT_EQ(user.Values(c.desktop ? kDesktop : "Control Panel"), c.values);
        EXPECT_EQ(warnings.Count(), 0);
    }
}
