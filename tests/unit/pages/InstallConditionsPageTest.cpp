// The install-conditions page: passed over in this program; when a condition
// is unmet, shown with its list, and Continue ends Setup unless /I was given.
#include <gtest/gtest.h>

#include "pages/InstallConditionsPage.h"
#include "unit/pages/WizardTestHelpers.h"

namespace {

const int kDestinationPage = 104;
const int kCopyPage = 108;

const char kProfile[] = "[destinations]\r\n0=VELMO\r\n"
                        "[groups]\r\nMain=Velmo|Saver|1|1|1\r\n"
                        "[Main]\r\nREADME.TXT=10|0|1|1|0|\r\n";

const char kUnmet[] = "- a 386 processor or better\r\n- 4 MB of memory";

// A computer that does not meet the requirements.
class CUnmetConditionsPage : public CInstallConditionsPage {
public:
    CUnmetConditionsPage() : CInstallConditionsPage(kDestinationPage) { m_strConditions = kUnmet; }
    BOOL AreConditionsMet() override { return FALSE; }
};

std::string ItemText(int pageId, int itemId)
{
    char text[256] = "";
    GetDlgItemTextA(FindPage(pageId)->m_hWnd, itemId, text, sizeof text);
    return text;
}

class InstallConditionsPage : public ::testing::Test {
protected:
    // Runs the wizard to the conditions page of a computer that misses them.
    void RunToConditions(const std::string& switches)
    {
        m_run.WriteProfile(kProfile);
        ASSERT_TRUE(m_run.Start(switches));
        new CStandInPage(kDestinationPage, kCopyPage);
        new CUnmetConditionsPage;
        ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_WELCOME));
        CWizardRun::ClickBar(IDD_WELCOME, IDC_NEXT);
        ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_INSTALL_CONDITIONS));
    }

    CDialogAnswerer m_answers;
    CWizardRun m_run;
};

TEST_F(InstallConditionsPage, UnmetConditionsAreListedAndContinueEndsSetup)
{
    RunToConditions("");

    EXPECT_EQ(ItemText(IDD_INSTALL_CONDITIONS, IDC_CONDITIONS), kUnmet);
    CWizardPage* page = FindPage(IDD_INSTALL_CONDITIONS);
    EXPECT_EQ(page->m_nPrevPage, IDD_READ_SETUP);
    ASSERT_NE(page->m_pButtonBar, nullptr);
    // Showing the page already decides the run: no way on from here installs.
    EXPECT_EQ(page->m_nNextPage, IDD_NOT_INSTALLED);
    EXPECT_FALSE(m_run.App().m_bSuccess);

    CWizardRun::ClickPage(IDD_INSTALL_CONDITIONS, IDOK);
    ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_NOT_INSTALLED));
    EXPECT_FALSE(IsPageVisible(IDD_INSTALL_CONDITIONS));
    EXPECT_EQ(FindPage(kDestinationPage)->m_hWnd, nullptr);
    EXPECT_FALSE(m_run.App().m_bSuccess);
    EXPECT_TRUE(m_answers.m_questions.empty());
}

TEST_F(InstallConditionsPage, BackAndNextReturnToTheUnmetConditions)
{
    RunToConditions("");

    // Back passes over the reading page, already left, to the welcome page.
    CWizardRun::ClickBar(IDD_INSTALL_CONDITIONS, IDC_BACK);
    ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_WELCOME));
    CWizardRun::ClickBar(IDD_WELCOME, IDC_NEXT);
    ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_INSTALL_CONDITIONS));
    EXPECT_EQ(m_run.App().m_pFileList->GetCount(), 1u);

    // Next on the bar is Continue too.
    CWizardRun::ClickBar(IDD_INSTALL_CONDITIONS, IDC_NEXT);
    ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_NOT_INSTALLED));
    EXPECT_FALSE(m_run.App().m_bSuccess);
}

TEST_F(InstallConditionsPage, WithSwitchIContinueGoesOnToTheDestinationPage)
{
    RunToConditions("/I");

    EXPECT_EQ(ItemText(IDD_INSTALL_CONDITIONS, IDC_CONDITIONS), kUnmet);
    EXPECT_EQ(FindPage(IDD_INSTALL_CONDITIONS)->m_nNextPage, kDestinationPage);
    EXPECT_TRUE(m_run.App().m_bSuccess);

    CWizardRun::ClickPage(IDD_INSTALL_CONDITIONS, IDOK);
    ASSERT_TRUE(CWizardRun::PumpUntilPage(kDestinationPage));
    EXPECT_EQ(FindPage(kDestinationPage)->m_nPrevPage, IDD_INSTALL_CONDITIONS);
    EXPECT_TRUE(m_run.App().m_bSuccess);
    EXPECT_EQ(FindPage(IDD_NOT_INSTALLED), nullptr);
}

TEST_F(InstallConditionsPage, CancelAskedAndAcceptedEndsSetup)
{
    RunToConditions("/I");

    CWizardRun::ClickBar(IDD_INSTALL_CONDITIONS, IDCANCEL);
    ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_NOT_INSTALLED));
    EXPECT_EQ(m_answers.m_questions.size(), 1u);
    EXPECT_FALSE(m_run.App().m_bSuccess);
}

} // namespace
