#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "app/MainWnd.h"
#include "app/SetupApp.h"
#include "common/GuiDriver.h"
#include "framework/FileException.h"
#include "res/resource.h"
#include "wizard/WizardButtonBar.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

namespace {

// The test pages' ids; none of them is known to the page factory.
enum { kA = 30101, kB, kC, kD, kLast, kUnknown = 29999 };

// A page on the welcome page's template; the test gives its need, work and Next.
class CTestPage : public CWizardPage {
public:
    CTestPage(int id, int nextPage, bool buttonBar = true) : CWizardPage(id, nextPage)
    {
        m_nButtonBar = buttonBar ? m_nButtonBar : 0;
    }
    BOOL CreatePage() override { return Create(IDD_WELCOME, nullptr); }
    int RunPageAction() override
    {
        RECT rc;
        GetWindowRect(m_hWnd, &rc);
        m_sizeAtAction = rc.right - rc.left + rc.bottom - rc.top;
        ++m_nActions;
        return action ? action() : 0;
    }
    BOOL IsPageNeeded() override { return needed ? needed() : TRUE; }
    void OnOK() override { onOK ? onOK() : CWizardPage::OnOK(); }

    std::function<int()> action;
    std::function<bool()> needed;
    std::function<void()> onOK;
    int m_nActions = 0;
    LONG m_sizeAtAction = -1;
};

class Wizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* mainWnd = new CMainWnd;
        ASSERT_TRUE(mainWnd->Create());
        app.m_pMainWnd = mainWnd;
    }
    void TearDown() override
    {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->DestroyWindow();
        DestroyAllPages();
        PumpPending();
        ResetQuit();
    }

    void Click(CWizardPage* page, int id) { PressButton(page->m_pButtonBar->m_hWnd, id); }
    // Lets posted work (page actions, clicks) run until page id shows.
    bool Reach(int id)
    {
        return PumpUntil([id] { return g_pCurrentPage && g_pCurrentPage->m_nPageId == id; });
    }
    bool Ended() { return PumpUntil(&QuitPosted); }

    CSetupApp app;
};

} // namespace

// A page whose Next ends the wizard offers Back to where it came from; its
// Cancel (Esc on the finished page) asks nothing and ends, successfully.
TEST_F(Wizard, LastPageOffersBackAndItsCancelIsNext)
{
    new CTestPage(kA, kB);
    GoToPage(kA);
    auto* last = new CTestPage(kLast, kEndOfWizard);
    GoToPage(kLast);
    HWND bar = last->m_pButtonBar->m_hWnd;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(bar, IDC_NEXT)) &&
                IsWindowEnabled(GetDlgItem(bar, IDC_BACK)));
    CWindowWatcher question("VelmoSaver Setup", Press(IDNO), IDYES);
    Click(last, IDCANCEL);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(question.Count(), 0);
    EXPECT_TRUE(app.m_bSuccess);
}

// Through the application's loop a page takes Esc as Cancel, which asks (No
// keeps the page), and Enter as Next. Closing the background window asks
// too; Yes leaves the wizard as failed.
TEST_F(Wizard, EscapeAsksAndNoKeepsThePageAndEnterIsNextAndCloseAsks)
{
    auto* page = new CTestPage(kA, kB);
    new CTestPage(kB, kLast);
    GoToPage(kA);
    int answer = IDNO;
    CWindowWatcher question(
        "VelmoSaver Setup", [&answer](HWND box) { PressButton(box, answer); }, IDYES);
    PostKey(page->m_hWnd, VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return question.Count() == 1; }));
    PumpPending();
    EXPECT_TRUE(IsWindowVisible(page->m_hWnd));
    EXPECT_TRUE(app.m_bSuccess);
    PostKey(page->m_hWnd, VK_RETURN);
    EXPECT_TRUE(Reach(kB));
    answer = IDYES;
    PostMessageA(app.m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Reach(IDD_NOT_INSTALLED));
    EXPECT_EQ(question.Count(), 2);
    EXPECT_FALSE(app.m_bSuccess);
}

// Reported, not passed silently or spun on forever: an unknown id, a declining circle.
TEST_F(Wizard, UnknownPagesAndCirclesAreReportedAndEndOnNotInstalled)
{
    for (int next : {kUnknown, kC}) {
        DestroyAllPages();
        app.m_bSuccess = TRUE;
        auto* page = new CTestPage(kA, next);
        (new CTestPage(kC, kD))->needed = [] { return false; };
        (new CTestPage(kD, kC))->needed = [] { return false; };
        CWindowWatcher warning("Warning", Press(IDOK));
        GoToPage(kA);
        Click(page, IDC_NEXT);
        ASSERT_TRUE(Reach(IDD_NOT_INSTALLED)) << next;
        EXPECT_EQ(warning.Count(), 1) << next;
        EXPECT_FALSE(app.m_bSuccess) << next;
    }
}

// Unattended, pages shrink to nothing and move on; a Next that throws is
// reported as in any run (someone runs it and answers), and fails the run.
TEST_F(Wizard, UnattendedPagesAdvanceByThemselvesAndAFailureEndsTheRun)
{
    app.m_bBatch = TRUE;
    auto* first = new CTestPage(kA, kB);
    auto* second = new CTestPage(kB, kC, false);
    second->action = [] { return kLast; }; // its work names where to go
    auto* skipped = new CTestPage(kC, kD);
    auto* last = new CTestPage(kLast, kEndOfWizard);
    last->onOK = [] { throw new CFileException(CFileException::badPath); };
    CWindowWatcher warning("Warning", Press(IDOK));
    GoToPage(kA);
    ASSERT_TRUE(Ended());
    for (CTestPage* page : {first, second, last})
        EXPECT_EQ(page->m_sizeAtAction, 0);
    EXPECT_EQ(skipped->m_nActions, 0);
    EXPECT_EQ(warning.Count(), 1);
    EXPECT_EQ(g_pCurrentPage->m_nPageId, IDD_NOT_INSTALLED);
    EXPECT_FALSE(app.m_bSuccess);
}
