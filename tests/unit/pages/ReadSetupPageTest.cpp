// The reading-setup page inside the real wizard, run from a test: an
// application object started with /D: naming a scratch directory, its messages
// served as the application's loop serves them (common/GuiDriver). A realistic
// profile is read once into the application's collections and handed over
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

const int kDestinationPage = 104;

// Stands in for the destination page, which the program does not have yet.
class CStandInPage : public CWizardPage {
public:
    CStandInPage() : CWizardPage(kDestinationPage, 108) {}
    BOOL CreatePage() override { return Create(IDD_WELCOME, nullptr); }
};

const auto AddStandIn = [] { new CStandInPage; };

// An install-conditions page that finds a requirement unmet, so that it shows.
class CUnmetConditionsPage : public CInstallConditionsPage {
public:
    CUnmetConditionsPage() : CInstallConditionsPage(kDestinationPage)
    {
        m_strConditions = "A colour display";
    }
    BOOL AreConditionsMet() override { return FALSE; }
};

// A profile as a product's maker writes one: derived destinations, a fixed
// path, one under the System directory, the groups Main and System95 and one
// whose file list is missing, plain files and archives on diskettes 1 and 2,
// marked items, targets and diskette labels.
const char kRealisticProfile[] =
    "; Velmo Screen Saver\r\n[destinations]\r\n0=VELMO\r\n1=BIN|0\r\n2=HELP|1\r\n"
    "3=FONTS||C:\\FONTS\\\r\n4=SHARED|-3\r\n\r\n"
    "[groups]\r\nMain=Velmo Screen Saver|The screen saver itself|1|1|1\r\n"
    "System95=Windows 95 extras|Only for Windows 95|0|1|1\r\n"
    "Samples=Sample pictures|Not on the diskettes yet|0|0|1\r\n\r\n"
    "[Main]\r\nSAVER.ARC=900|1|3|2|0|screen saver and settings\r\n"
    "README.TXT=1200|0|1|1|0|read-me\r\nLICENSE.TXT=800|0|1|-1|2|licence\r\n\r\n"
    "[System95]\r\nVELMO95.DLL=4096|0|1|1|-3|helper\r\nDATA.ARC=900|1|12|-2|0|\r\n\r\n"
    "[targets]\r\nsaver.exe=2|7|1|Velmo Screen Saver|/s|VELMO.ICO|\r\n"
    "README.TXT=0|0|0|Velmo Read Me|||\r\n\r\n"
    "[diskettes]\r\n1=Velmo Screen Saver Disk 1|first\r\n2=Velmo Screen Saver Disk 2|\r\n";

// Starts a run of the realistic profile and closes the reading page from its
// system menu as soon as it exists: the close is queued behind the page's
// action, so it arrives through the message serving between the loads, as a
// user's click would.
bool CloseWhileReading(CWizardRun& run)
{
    run.WriteProfile(kRealisticProfile);
    if (!run.Start("", AddStandIn))
        return false;
    PressBar(IDD_WELCOME, IDC_NEXT);
    if (!PumpUntil([] { return FindPage(IDD_READ_SETUP) && FindPage(IDD_READ_SETUP)->m_hWnd; }))
        return false;
    return PostMessageA(FindPage(IDD_READ_SETUP)->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

} // namespace

TEST(ReadSetupPage, ReadsARealisticProfileOnceAndHandsOverPastTheConditions)
{
    CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
    CWindowWatcher question("VelmoSaver Setup", Press(IDNO), IDYES);
    CWizardRun run;
    // A cancel refused while the profile is read lets the reading finish.
    ASSERT_TRUE(CloseWhileReading(run));
    ASSERT_TRUE(PumpUntilPage(kDestinationPage));

    // The collections hold what the profile lists (ProfileTest checks each
    // field); nothing resolved or selected yet: that waits for the
    // destination page.
    const size_t items = run.App().m_pFileList->GetCount();
    EXPECT_EQ(items, 5u);
    EXPECT_EQ(run.App().m_pDestinations->GetCount(), 8u) << "with the three predefined ones";
    EXPECT_EQ(run.App().m_pGroups->GetCount(), 3u);
    EXPECT_NE(run.App().m_pTargets->FindTarget("SAVER.EXE"), nullptr);
    EXPECT_STREQ(run.App().m_pDiskettes->GetDisketteLabel(2), "Velmo Screen Saver Disk 2");

    // The reading page, without buttons, went on by itself; the conditions
    // page was asked and passed over: it never had a window.
    CWizardPage* reading = FindPage(IDD_READ_SETUP);
    EXPECT_FALSE(IsPageVisible(IDD_READ_SETUP));
    EXPECT_EQ(reading->m_pButtonBar, nullptr);
    EXPECT_EQ(FindPage(IDD_INSTALL_CONDITIONS)->m_hWnd, nullptr);
    EXPECT_EQ(FindPage(kDestinationPage)->m_nPrevPage, IDD_READ_SETUP);
    EXPECT_TRUE(run.App().m_bSuccess);
    EXPECT_EQ(FindPage(IDD_NOT_INSTALLED), nullptr);

    // Back passes over both to the welcome page, and Next from there passes
    // over them again without a second read: the loads add to the
    // collections, so a second read would show.
    PressBar(kDestinationPage, IDC_BACK);
    ASSERT_TRUE(PumpUntilPage(IDD_WELCOME));
    PressBar(IDD_WELCOME, IDC_NEXT);
    ASSERT_TRUE(PumpUntilPage(kDestinationPage));
    EXPECT_EQ(run.App().m_pFileList->GetCount(), items);
    EXPECT_EQ(run.App().m_pGroups->GetCount(), 3u);
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
    EXPECT_EQ(FindPage(kDestinationPage)->m_hWnd, nullptr);
}

TEST(InstallConditionsPage, WhenShownContinueEndsSetupUnlessIgnored)
{
    CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
    for (bool ignore : {false, true}) {
        CWizardRun run;
        run.WriteProfile(kRealisticProfile);
        ASSERT_TRUE(run.Start(ignore ? "/I" : "", AddStandIn));
        new CUnmetConditionsPage;
        PressBar(IDD_WELCOME, IDC_NEXT);
        ASSERT_TRUE(PumpUntilPage(IDD_INSTALL_CONDITIONS)) << "/I " << ignore;
        char text[64] = "";
        GetDlgItemTextA(FindPage(IDD_INSTALL_CONDITIONS)->m_hWnd, IDC_CONDITIONS, text,
                        sizeof text);
        EXPECT_STREQ(text, "A colour display");

        PressButton(FindPage(IDD_INSTALL_CONDITIONS)->m_hWnd, IDOK); // Continue
        ASSERT_TRUE(PumpUntilPage(ignore ? kDestinationPage : IDD_NOT_INSTALLED))
            << "/I " << ignore;
        EXPECT_EQ(run.App().m_bSuccess != FALSE, ignore);
    }
    EXPECT_EQ(warnings.Count(), 0);
}
