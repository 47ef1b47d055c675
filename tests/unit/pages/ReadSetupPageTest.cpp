// The reading-setup page inside the real wizard, run from a test: an
// application object started with /D: naming a scratch directory, its messages
// served as the application's loop serves them (common/GuiDriver). A profile
// is read once into the application's collections and handed over
// past the install conditions; a cancel comes while the profile is read.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/SetupApp.h"
#include "pages/InstallConditionsPage.h"
#include "common/GuiDriver.h"
#include "res/resource.h"
#include "common/WizardRun.h"
#include "wizard/WizardButtonBar.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

namespace {

// An install-conditions page that finds a requirement unmet, so that it shows.
class CUnmetConditionsPage : public CInstallConditionsPage {
public:
    CUnmetConditionsPage() : CInstallConditionsPage(IDD_DESTINATION)
    {
        m_strConditions = "A colour display";
    }
    BOOL AreConditionsMet() override { return FALSE; }
};

// Derived destinations, two groups, items on two diskettes (ProfileTest
// reads every field of a realistic profile).
const char kProfile[] =
    "[destinations]\r\n0=VELMO\r\n1=BIN|0\r\n2=HELP|1\r\n"
    "[groups]\r\nMain=Velmo Screen Saver|The screen saver|1|1|1\r\nExtras=Extras|More|0|0|1\r\n"
    "[Main]\r\nSAVER.ARC=900|1|3|2|0|\r\nREADME.TXT=1200|0|1|1|0|\r\n"
    "[diskettes]\r\n1=Velmo Disk 1|\r\n2=Velmo Disk 2|\r\n";

// Starts a run of the profile and closes the reading page from its
// system menu as soon as it exists: the close is queued behind the page's
// action, so it arrives through the message serving between the loads, as a
// user's click would.
bool CloseWhileReading(CWizardRun& run)
{
    run.WriteProfile(kProfile);
    if (!run.Start())
        return false;
    PressBar(IDD_WELCOME, IDC_NEXT);
    if (!PumpUntil([] { return FindPage(IDD_READ_SETUP) && FindPage(IDD_READ_SETUP)->m_hWnd; }))
        return false;
    return PostMessageA(FindPage(IDD_READ_SETUP)->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

} // namespace

TEST(ReadSetupPage, ReadsTheProfileOnceAndHandsOverPastTheConditions)
{
    CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
    CWindowWatcher question("VelmoSaver Setup", Press(IDNO), IDYES);
    CWizardRun run;
    // A cancel refused while the profile is read lets the reading finish.
    ASSERT_TRUE(CloseWhileReading(run));
    ASSERT_TRUE(PumpUntilPage(IDD_DESTINATION));

    // The collections hold what the profile lists (every end-to-end row
    // installs from what the page read).
    EXPECT_EQ(run.App().m_pFileList->GetCount(), 2u);
    EXPECT_EQ(run.App().m_pGroups->GetCount(), 2u);

    // The reading page, without buttons, went on by itself; the conditions
    // page was asked and passed over: it never had a window.
    EXPECT_FALSE(IsPageVisible(IDD_READ_SETUP));
    EXPECT_EQ(FindPage(IDD_INSTALL_CONDITIONS)->m_hWnd, nullptr);
    EXPECT_EQ(FindPage(IDD_DESTINATION)->m_nPrevPage, IDD_READ_SETUP);
    EXPECT_TRUE(run.App().m_bSuccess);
    EXPECT_EQ(FindPage(IDD_NOT_INSTALLED), nullptr);

    // Back passes over both to the welcome page, and Next from there passes
    // over them again without a second read: the loads add to the
    // collections, so a second read would show.
    PressBar(IDD_DESTINATION, IDC_BACK);
    ASSERT_TRUE(PumpUntilPage(IDD_WELCOME));
    PressBar(IDD_WELCOME, IDC_NEXT);
    ASSERT_TRUE(PumpUntilPage(IDD_DESTINATION));
    EXPECT_EQ(run.App().m_pFileList->GetCount(), 2u);
    EXPECT_EQ(run.App().m_pGroups->GetCount(), 2u);
    EXPECT_FALSE(IsPageVisible(IDD_READ_SETUP));
    EXPECT_EQ(warnings.Count(), 0);
    EXPECT_EQ(question.Count(), 1);
}

TEST(ReadSetupPage, ACancelAcceptedWhileReadingLeavesTheNotInstalledPageShown)
{
    CWindowWatcher question("VelmoSaver Setup", Press(IDYES), IDYES);
    CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
    CWizardRun run;
    ASSERT_TRUE(CloseWhileReading(run));
    ASSERT_TRUE(PumpUntilPage(IDD_NOT_INSTALLED));

    EXPECT_EQ(question.Count(), 1);
    EXPECT_TRUE(IsPageVisible(IDD_NOT_INSTALLED));
    EXPECT_FALSE(IsPageVisible(IDD_READ_SETUP));
    EXPECT_FALSE(run.App().m_bSuccess);
    EXPECT_EQ(warnings.Count(), 0);
    // The cancel came after the destinations; the rest was not read.
    EXPECT_GT(run.App().m_pDestinations->GetCount(), 3u);
    EXPECT_EQ(run.App().m_pGroups->GetCount(), 0u);
    EXPECT_EQ(run.App().m_pFileList->GetCount(), 0u);
    EXPECT_EQ(FindPage(IDD_DESTINATION), nullptr);
}

TEST(InstallConditionsPage, WhenShownContinueEndsSetupUnlessIgnored)
{
    CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
    for (bool ignore : {false, true}) {
        CWizardRun run;
        run.WriteProfile(kProfile);
        ASSERT_TRUE(run.Start(ignore ? "/I" : ""));
        new CUnmetConditionsPage;
        PressBar(IDD_WELCOME, IDC_NEXT);
        ASSERT_TRUE(PumpUntilPage(IDD_INSTALL_CONDITIONS)) << "/I " << ignore;
        EXPECT_EQ(ItemText(FindPage(IDD_INSTALL_CONDITIONS)->m_hWnd, IDC_CONDITIONS),
                  "A colour display");

        PressButton(FindPage(IDD_INSTALL_CONDITIONS)->m_hWnd, IDOK); // Continue
        ASSERT_TRUE(PumpUntilPage(ignore ? IDD_DESTINATION : IDD_NOT_INSTALLED)) << "/I " << ignore;
        EXPECT_EQ(run.App().m_bSuccess != FALSE, ignore);
    }
    EXPECT_EQ(warnings.Count(), 0);
}
