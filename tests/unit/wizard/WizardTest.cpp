#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "WizardTestIds.h"
#include "app/MainWnd.h"
#include "app/SetupApp.h"
#include "common/GuiDriver.h"
#include "framework/FileException.h"
#include "res/resource.h"
#include "support/PumpMessages.h"
#include "wizard/WizardButtonBar.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

namespace {

// A page whose work, need and Next are given by the test. It logs when its
// window is shown or hidden, and says when its object is deleted.
class CTestPage : public CWizardPage {
public:
    CTestPage(int id, int nextPage, bool buttonBar = true) : CWizardPage(id, nextPage)
    {
        if (!buttonBar)
            m_nButtonBar = 0;
    }
    ~CTestPage() override
    {
        if (m_pDeleted != nullptr)
            *m_pDeleted = true;
    }

    int RunPageAction() override
    {
        ++m_nActions;
        if (m_pBatchSizes != nullptr) {
            RECT rc;
            GetWindowRect(m_hWnd, &rc);
            m_pBatchSizes->push_back(rc.right - rc.left + rc.bottom - rc.top);
        }
        return action ? action() : 0;
    }
    BOOL IsPageNeeded() override { return needed ? needed() : TRUE; }
    void OnOK() override
    {
        if (onOK)
            onOK();
        else
            CWizardPage::OnOK();
    }

    std::function<int()> action;
    std::function<bool()> needed;
    std::function<void()> onOK;
    int m_nActions = 0;
    bool* m_pDeleted = nullptr;
    std::vector<std::string>* m_pLog = nullptr;
    std::vector<LONG>* m_pBatchSizes = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SHOWWINDOW && m_pLog != nullptr)
            m_pLog->push_back((wParam ? "show " : "hide ") + std::to_string(m_nPageId));
        return CWizardPage::WindowProc(message, wParam, lParam);
    }
};

class Wizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetQuit();
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

    CTestPage* Page(int id, int next, bool buttonBar = true)
    {
        return new CTestPage(id, next, buttonBar);
    }
    int CurrentId() { return g_pCurrentPage != nullptr ? g_pCurrentPage->m_nPageId : 0; }
    bool Visible(CWizardPage* page) { return IsWindowVisible(page->m_hWnd) != FALSE; }
    HWND Bar(CWizardPage* page) { return page->m_pButtonBar->m_hWnd; }
    void Click(CWizardPage* page, int id) { PressButton(Bar(page), id); }
    // Lets posted work (page actions, clicks) run.
    bool Settle(const std::function<bool()>& done) { return PumpUntil(done, 5000); }
    bool Ended()
    {
        return PumpUntil([] { return QuitPosted(); }, 5000);
    }

    CSetupApp app;
};

// Answers the question of string 5 (a message box with a Yes button).
CWindowWatcher ConfirmExitWatcher(int answer)
{
    return CWindowWatcher("VelmoSaver Setup", Press(answer), IDYES);
}

} // namespace

TEST_F(Wizard, FirstPageHasBackDisabledAndNextEnabled)
{
    CTestPage* first = Page(IDD_PAGE_A, IDD_PAGE_B);
    GoToPage(IDD_PAGE_A);
    ASSERT_EQ(g_pCurrentPage, first);
    ASSERT_NE(first->m_pButtonBar, nullptr);
    EXPECT_TRUE(Visible(first));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Bar(first), IDC_BACK)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Bar(first), IDC_NEXT)));
    EXPECT_EQ(first->m_nPrevPage, 0);

    // A page whose Next ends the wizard still offers Next; reached from the
    // first page it offers Back.
    CTestPage* last = Page(IDD_PAGE_LAST, kEndOfWizard);
    GoToPage(IDD_PAGE_LAST);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Bar(last), IDC_NEXT)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Bar(last), IDC_BACK)));
}

TEST_F(Wizard, ButtonBarIsGluedToThePageFoot)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_B);
    GoToPage(IDD_PAGE_A);
    RECT templateClient = {0, 0, 295, 161};
    MapDialogRect(page->m_hWnd, &templateClient);
    RECT barTemplate = {0, 0, 272, 27};
    MapDialogRect(Bar(page), &barTemplate);

    RECT client, bar;
    GetClientRect(page->m_hWnd, &client);
    GetWindowRect(Bar(page), &bar);
    MapWindowPoints(nullptr, page->m_hWnd, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.top, templateClient.bottom);
    EXPECT_EQ(bar.bottom - bar.top, barTemplate.bottom);
    EXPECT_EQ(client.bottom, templateClient.bottom + barTemplate.bottom);
    EXPECT_EQ(bar.left, (templateClient.right - barTemplate.right) / 2);
}

TEST_F(Wizard, SkipsPagesAndKeepsTheFirstPredecessor)
{
    CTestPage* welcome = Page(IDD_PAGE_A, IDD_PAGE_B);
    CTestPage* reading = Page(IDD_PAGE_B, IDD_PAGE_C, false);
    reading->needed = [reading] { return !reading->m_bLeft; };
    reading->action = [reading] { return reading->m_nNextPage; };
    CTestPage* conditions = Page(IDD_PAGE_C, IDD_PAGE_D);
    conditions->needed = [] { return false; };
    CTestPage* destination = Page(IDD_PAGE_D, IDD_PAGE_LAST);

    GoToPage(IDD_PAGE_A);
    Click(welcome, IDC_NEXT);
    ASSERT_TRUE(Settle([&] { return CurrentId() == IDD_PAGE_D; }));
    EXPECT_EQ(conditions->m_hWnd, nullptr) << "a skipped page is never created";
    EXPECT_EQ(conditions->m_nPrevPage, 0);
    EXPECT_EQ(destination->m_nPrevPage, IDD_PAGE_B);
    EXPECT_TRUE(reading->m_bLeft);
    EXPECT_FALSE(Visible(reading));
    EXPECT_FALSE(Visible(welcome));
    SetDlgItemTextA(destination->m_hWnd, IDC_PAGE_EDIT, "C:\\VELMO");

    // Back passes over the page that was left and lands on the welcome page.
    Click(destination, IDC_BACK);
    ASSERT_TRUE(Settle([&] { return CurrentId() == IDD_PAGE_A; }));
    EXPECT_TRUE(Visible(welcome));
    EXPECT_FALSE(Visible(destination));

    // Next passes over both again; the page keeps its text and its first predecessor.
    Click(welcome, IDC_NEXT);
    ASSERT_TRUE(Settle([&] { return CurrentId() == IDD_PAGE_D; }));
    EXPECT_EQ(ItemText(destination->m_hWnd, IDC_PAGE_EDIT), "C:\\VELMO");
    EXPECT_EQ(destination->m_nPrevPage, IDD_PAGE_B);
    EXPECT_EQ(reading->m_nActions, 1) << "a page's work runs on its first visit only";
}

TEST_F(Wizard, NewPageIsShownBeforeTheOldIsHidden)
{
    std::vector<std::string> log;
    CTestPage* first = Page(IDD_PAGE_A, IDD_PAGE_D);
    CTestPage* second = Page(IDD_PAGE_D, IDD_PAGE_LAST);
    first->m_pLog = &log;
    second->m_pLog = &log;
    GoToPage(IDD_PAGE_A);
    PumpPending();
    log.clear();
    GoToPage(IDD_PAGE_D);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "show 30104");
    EXPECT_EQ(log[1], "hide 30101");
}

TEST_F(Wizard, GoingToTheCurrentPageKeepsItShown)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_B);
    GoToPage(IDD_PAGE_A);
    GoToPage(IDD_PAGE_A);
    EXPECT_EQ(g_pCurrentPage, page);
    EXPECT_TRUE(Visible(page));
    EXPECT_FALSE(page->m_bLeft);
    EXPECT_EQ(page->m_nPrevPage, 0) << "a page is not its own predecessor";
}

TEST_F(Wizard, CancelAnsweredNoChangesNothing)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_B);
    GoToPage(IDD_PAGE_A);
    std::string question;
    CWindowWatcher watcher(
        "VelmoSaver Setup",
        [&question](HWND box) {
            question = ItemText(box, 0xFFFF);
            PressButton(box, IDNO);
        },
        IDYES);
    Click(page, IDCANCEL);
    ASSERT_TRUE(Settle([&] { return watcher.Count() == 1; }));
    PumpPending();
    EXPECT_EQ(question,
              "Velmo Screen Saver installation not complete. Do you really want to exit Setup?");
    EXPECT_EQ(g_pCurrentPage, page);
    EXPECT_TRUE(Visible(page));
    EXPECT_EQ(page->m_nNextPage, IDD_PAGE_B);
    EXPECT_TRUE(app.m_bSuccess);
}

TEST_F(Wizard, CancelAnsweredYesEndsOnTheNotInstalledPage)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_B);
    GoToPage(IDD_PAGE_A);
    CWindowWatcher watcher = ConfirmExitWatcher(IDYES);
    Click(page, IDCANCEL);
    ASSERT_TRUE(Settle([&] { return CurrentId() == IDD_NOT_INSTALLED; }));
    EXPECT_FALSE(app.m_bSuccess);
    EXPECT_TRUE(Visible(g_pCurrentPage));
    EXPECT_FALSE(Visible(page));
    EXPECT_TRUE(page->m_bLeft);

    // Its OK ends the wizard.
    PressButton(g_pCurrentPage->m_hWnd, IDOK);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(Wizard, CancelOnALastPageActsAsNext)
{
    Page(IDD_PAGE_LAST, kEndOfWizard);
    GoToPage(IDD_PAGE_LAST);
    CWindowWatcher watcher = ConfirmExitWatcher(IDNO);
    Click(g_pCurrentPage, IDCANCEL);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(watcher.Count(), 0) << "no question on a page that ends the wizard anyway";
    EXPECT_TRUE(app.m_bSuccess);
}

TEST_F(Wizard, EnterOnAPageWithTheBarIsNext)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_D);
    Page(IDD_PAGE_D, IDD_PAGE_LAST);
    GoToPage(IDD_PAGE_A);
    SetForegroundWindow(page->m_hWnd);
    SetFocus(GetDlgItem(page->m_hWnd, IDC_PAGE_EDIT));
    PostKey(page->m_hWnd, VK_RETURN);
    EXPECT_TRUE(Settle([&] { return CurrentId() == IDD_PAGE_D; }));
}

TEST_F(Wizard, ExceptionFromAPageActionIsReportedAndEndsOnNotInstalled)
{
    CTestPage* page = Page(IDD_PAGE_E, IDD_PAGE_LAST);
    page->action = []() -> int { throw new CFileException(CFileException::accessDenied); };
    std::string headline, info;
    CWindowWatcher warning("Warning", [&](HWND dialog) {
        headline = ItemText(dialog, IDC_WARNING_HEADLINE);
        info = ItemText(dialog, IDC_WARNING_INFO);
        PressButton(dialog, IDOK);
    });
    GoToPage(IDD_PAGE_E);
    ASSERT_TRUE(Settle([&] { return CurrentId() == IDD_NOT_INSTALLED; }));
    EXPECT_EQ(headline, "Setup cannot continue");
    EXPECT_EQ(info, "9.5 (CXFileException)");
    EXPECT_FALSE(app.m_bSuccess);
    EXPECT_EQ(page->m_nNextPage, IDD_NOT_INSTALLED);
}

TEST_F(Wizard, ExceptionFromAHandlerIsReportedAndThePageStays)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_B);
    page->onOK = [] { throw new CFileException(CFileException::diskFull); };
    CWindowWatcher warning("Warning", Press(IDOK));
    GoToPage(IDD_PAGE_A);
    Click(page, IDC_NEXT);
    ASSERT_TRUE(Settle([&] { return warning.Count() == 1; }));
    PumpPending();
    EXPECT_EQ(g_pCurrentPage, page);
    EXPECT_TRUE(Visible(page));
    EXPECT_TRUE(app.m_bSuccess);
}

TEST_F(Wizard, UnattendedPagesAreInvisibleAndAdvanceByThemselves)
{
    app.m_bBatch = TRUE;
    std::vector<LONG> sizes;
    CTestPage* first = Page(IDD_PAGE_A, IDD_PAGE_B);
    CTestPage* second = Page(IDD_PAGE_B, IDD_PAGE_C, false);
    CTestPage* skipped = Page(IDD_PAGE_C, IDD_PAGE_D);
    // The second page's work names where to go: straight to the last page.
    second->action = [] { return IDD_PAGE_LAST; };
    CTestPage* last = Page(IDD_PAGE_LAST, kEndOfWizard);
    for (CTestPage* page : {first, second, last})
        page->m_pBatchSizes = &sizes;

    GoToPage(IDD_PAGE_A);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(sizes, (std::vector<LONG>{0, 0, 0})) << "pages shrink to nothing";
    EXPECT_EQ(skipped->m_nActions, 0);
    EXPECT_EQ(last->m_nActions, 1);
    EXPECT_TRUE(app.m_bSuccess);
}

TEST_F(Wizard, UnattendedRunEndsAsFailedWhenNextThrows)
{
    app.m_bBatch = TRUE;
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_B);
    page->onOK = [] { throw new CFileException(CFileException::badPath); };
    CWindowWatcher warning("Warning", Press(IDOK));
    GoToPage(IDD_PAGE_A);
    ASSERT_TRUE(Ended());
    EXPECT_FALSE(app.m_bSuccess);
    EXPECT_EQ(warning.Count(), 0) << "nobody is there to answer";
    EXPECT_EQ(g_pCurrentPage->m_nPageId, IDD_NOT_INSTALLED);
}

TEST_F(Wizard, UnattendedRunEndsAsFailedWhenAnActionThrows)
{
    app.m_bBatch = TRUE;
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_B);
    page->action = []() -> int { throw new CFileException(CFileException::hardIO); };
    GoToPage(IDD_PAGE_A);
    ASSERT_TRUE(Ended());
    EXPECT_FALSE(app.m_bSuccess);
}

TEST_F(Wizard, UnknownPageIsReportedAndEndsOnNotInstalled)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_UNKNOWN);
    std::string title;
    CWindowWatcher warning("Warning", [&title](HWND dialog) {
        title = ItemText(dialog, IDC_WARNING_TITLE);
        PressButton(dialog, IDOK);
    });
    GoToPage(IDD_PAGE_A);
    Click(page, IDC_NEXT);
    ASSERT_TRUE(Settle([&] { return CurrentId() == IDD_NOT_INSTALLED; }));
    EXPECT_EQ(warning.Count(), 1);
    EXPECT_EQ(title, "Resource Error.");
    EXPECT_FALSE(app.m_bSuccess);
}

TEST_F(Wizard, CircleOfPagesThatDeclineIsReported)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_C);
    Page(IDD_PAGE_C, IDD_PAGE_E)->needed = [] { return false; };
    Page(IDD_PAGE_E, IDD_PAGE_C)->needed = [] { return false; };
    CWindowWatcher warning("Warning", Press(IDOK));
    GoToPage(IDD_PAGE_A);
    Click(page, IDC_NEXT);
    ASSERT_TRUE(Settle([&] { return CurrentId() == IDD_NOT_INSTALLED; }));
    EXPECT_EQ(warning.Count(), 1);
    EXPECT_FALSE(app.m_bSuccess);
}

TEST_F(Wizard, PassingOverTheLastPageEndsTheWizard)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_LAST);
    Page(IDD_PAGE_LAST, kEndOfWizard)->needed = [] { return false; };
    GoToPage(IDD_PAGE_A);
    Click(page, IDC_NEXT);
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(app.m_bSuccess);
}

TEST_F(Wizard, BackWithNothingBeforeKeepsThePage)
{
    CTestPage* page = Page(IDD_PAGE_D, IDD_PAGE_LAST);
    page->m_nPrevPage = IDD_PAGE_C;
    Page(IDD_PAGE_C, IDD_PAGE_D)->needed = [] { return false; };
    GoToPage(IDD_PAGE_D, true);
    Click(page, IDC_BACK);
    PumpPending();
    EXPECT_EQ(g_pCurrentPage, page);
    EXPECT_TRUE(Visible(page));
}

TEST_F(Wizard, PageWithoutTemplateThrowsAndTheCurrentPageStays)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_B);
    Page(IDD_PAGE_NO_TEMPLATE, IDD_PAGE_B);
    GoToPage(IDD_PAGE_A);
    try {
        GoToPage(IDD_PAGE_NO_TEMPLATE);
        ADD_FAILURE() << "no exception";
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CResourceException)));
        e->Delete();
    }
    EXPECT_EQ(g_pCurrentPage, page);
    EXPECT_TRUE(Visible(page));
    EXPECT_FALSE(page->m_bLeft);
}

TEST_F(Wizard, CancelAcceptedWhileAnActionRunsLeavesNotInstalledShown)
{
    CTestPage* reading = Page(IDD_PAGE_B, IDD_PAGE_C, false);
    reading->action = [reading] {
        // The user cancels (Esc) while the work pumps messages.
        PostMessageA(reading->m_hWnd, WM_COMMAND, IDCANCEL, 0);
        PumpMessages();
        return reading->m_nNextPage;
    };
    CWindowWatcher watcher = ConfirmExitWatcher(IDYES);
    GoToPage(IDD_PAGE_B);
    ASSERT_TRUE(
        Settle([&] { return reading->m_nActions == 1 && CurrentId() == IDD_NOT_INSTALLED; }));
    PumpPending();
    EXPECT_EQ(CurrentId(), IDD_NOT_INSTALLED);
    EXPECT_TRUE(Visible(g_pCurrentPage));
    EXPECT_FALSE(app.m_bSuccess);
}

TEST_F(Wizard, ActivationRepaintsTheBackground)
{
    CTestPage* page = Page(IDD_PAGE_A, IDD_PAGE_B);
    GoToPage(IDD_PAGE_A);
    HWND background = app.m_pMainWnd->m_hWnd;
    ValidateRect(background, nullptr);
    RECT rc;
    ASSERT_FALSE(GetUpdateRect(background, &rc, FALSE));
    SendMessageA(page->m_hWnd, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(GetUpdateRect(background, &rc, FALSE));
}

TEST_F(Wizard, DestroyAllPagesDeletesPagesAndTheirWindows)
{
    bool firstDeleted = false, secondDeleted = false;
    CTestPage* first = Page(IDD_PAGE_A, IDD_PAGE_D);
    CTestPage* second = Page(IDD_PAGE_D, IDD_PAGE_LAST);
    first->m_pDeleted = &firstDeleted;
    second->m_pDeleted = &secondDeleted;
    GoToPage(IDD_PAGE_A);
    GoToPage(IDD_PAGE_D);
    HWND window = second->m_hWnd;
    HWND bar = Bar(second);
    DestroyAllPages();
    EXPECT_TRUE(firstDeleted);
    EXPECT_TRUE(secondDeleted);
    EXPECT_TRUE(g_mapPages.empty());
    EXPECT_EQ(g_pCurrentPage, nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(bar));
}
