// The welcome page and the two closing pages: their templates, texts and
// buttons, how each ends (or goes on with) the wizard, and the page factory.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/MainWnd.h"
#include "app/SetupApp.h"
#include "common/GuiDriver.h"
#include "pages/FinishedPage.h"
#include "pages/NotInstalledPage.h"
#include "pages/WelcomePage.h"
#include "res/resource.h"
#include "wizard/PageFactory.h"
#include "wizard/WizardButtonBar.h"
#include "wizard/WizardNavigation.h"

namespace {

// The texts of a page's static text controls, in template order.
std::vector<std::string> Texts(HWND page)
{
    std::vector<std::string> texts;
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = "";
        GetClassNameA(child, className, sizeof className);
        LONG type = GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
        if (lstrcmpiA(className, "Static") == 0 &&
            (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT))
            texts.push_back(WindowText(child));
    }
    return texts;
}

// The icon a page shows: the handle its icon control holds.
HICON PageIcon(HWND page)
{
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    }
    return nullptr;
}

HICON ProgramIcon(int id)
{
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_SHARED));
}

// The page's client size against its template's size in dialog units.
bool HasTemplateSize(HWND page, int width, int height)
{
    RECT units = {0, 0, width, height};
    MapDialogRect(page, &units);
    RECT client;
    GetClientRect(page, &client);
    return client.right == units.right && client.bottom == units.bottom;
}

class Pages : public ::testing::Test {
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
    // Shows the page and lets its work (none) run.
    CWizardPage* Show(int id)
    {
        GoToPage(id);
        PumpPending();
        return g_pCurrentPage;
    }
    bool Ended()
    {
        return PumpUntil([] { return QuitPosted(); });
    }

    CSetupApp app;
};

} // namespace

TEST_F(Pages, WelcomeGreetsAndOffersNextAndCancel)
{
    CWizardPage* page = Show(IDD_WELCOME);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->IsKindOf(RUNTIME_CLASS(CWelcomePage)));
    EXPECT_EQ(WindowText(page->m_hWnd), "Welcome");
    std::vector<std::string> texts = Texts(page->m_hWnd);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Welcome to the Velmo Screen Saver.");
    EXPECT_EQ(texts[1], "This Setup program will install the Velmo Screen Saver on your computer. "
                        "Full installation instructions will be provided.\n\nTo quit the Setup "
                        "program at any time, choose Cancel Setup.\n\nTo install the Velmo "
                        "Screen Saver, choose Next.");
    EXPECT_FALSE(texts[2].empty()) << "the licence notice";
    EXPECT_EQ(PageIcon(page->m_hWnd), ProgramIcon(IDI_WELCOME));

    ASSERT_NE(page->m_pButtonBar, nullptr);
    HWND bar = page->m_pButtonBar->m_hWnd;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(bar, IDC_BACK)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(bar, IDC_NEXT)));
    EXPECT_EQ(ItemText(bar, IDC_NEXT), "Next >");
    EXPECT_EQ(ItemText(bar, IDC_BACK), "< &Back");
    EXPECT_EQ(ItemText(bar, IDCANCEL), "Cancel");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(bar, IDC_BAR_HELP))) << "Help is never shown";
    EXPECT_EQ(page->m_nNextPage, 114);
    EXPECT_EQ(g_pCurrentPage, page) << "the welcome page waits for the user";
}

TEST_F(Pages, FinishedPageTextsAndButton)
{
    CWizardPage* page = Show(IDD_FINISHED);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->IsKindOf(RUNTIME_CLASS(CFinishedPage)));
    EXPECT_EQ(WindowText(page->m_hWnd), "Velmo Screen Saver Setup");
    std::vector<std::string> texts = Texts(page->m_hWnd);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0],
              "The Velmo Screen Saver Installation is complete.  It has been registered "
              "as the default screen saver.  Change the settings of the screen saver "
              "with the Screen Saver tab in the Control Panel / Display Properties page. ");
    EXPECT_EQ(texts[1], "You can also change the screen saver setting by clicking the right mouse "
                        "button on the Desktop, and changing to the Screen Saver tab.");
    EXPECT_EQ(texts[2], "We hope you enjoy the Velmo Screen Saver.");
    EXPECT_EQ(PageIcon(page->m_hWnd), ProgramIcon(IDI_WELCOME));

    HWND button = GetDlgItem(page->m_hWnd, IDOK);
    EXPECT_EQ(WindowText(button), "Finished");
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(page->m_pButtonBar, nullptr) << "no Back from here";
    EXPECT_TRUE(HasTemplateSize(page->m_hWnd, 295, 161));
}

TEST_F(Pages, NotInstalledPageTextsAndButton)
{
    CWizardPage* page = Show(IDD_NOT_INSTALLED);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->IsKindOf(RUNTIME_CLASS(CNotInstalledPage)));
    EXPECT_EQ(WindowText(page->m_hWnd), "VelmoSaver Setup");
    std::vector<std::string> texts = Texts(page->m_hWnd);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "The Velmo Screen Saver has NOT been properly installed. You should run "
                        "this setup procedure again in its entirety.");
    EXPECT_EQ(PageIcon(page->m_hWnd), ProgramIcon(IDI_NOT_INSTALLED));

    HWND button = GetDlgItem(page->m_hWnd, IDOK);
    EXPECT_EQ(WindowText(button), "&OK");
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(page->m_pButtonBar, nullptr);
    EXPECT_TRUE(HasTemplateSize(page->m_hWnd, 295, 161));
}

TEST_F(Pages, EscapeOnAClosingPageEndsWithoutAQuestion)
{
    CWindowWatcher question("VelmoSaver Setup", Press(IDNO), IDYES);
    CWizardPage* page = Show(IDD_FINISHED);
    SetForegroundWindow(page->m_hWnd);
    SetFocus(GetDlgItem(page->m_hWnd, IDOK));
    PostKey(page->m_hWnd, VK_ESCAPE);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(question.Count(), 0);
    EXPECT_TRUE(app.m_bSuccess) << "Esc on the finished page is no cancel";
}

TEST_F(Pages, CloseBoxOnTheNotInstalledPageEnds)
{
    app.m_bSuccess = FALSE;
    CWizardPage* page = Show(IDD_NOT_INSTALLED);
    PostMessageA(page->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ended());
    EXPECT_FALSE(app.m_bSuccess);
}

TEST_F(Pages, FactoryMakesEachPageWithItsLinks)
{
    struct Expected {
        int id, next, bar;
    };
    for (Expected e :
         {Expected{IDD_WELCOME, 114, IDD_BUTTON_BAR}, Expected{IDD_FINISHED, kEndOfWizard, 0},
          Expected{IDD_NOT_INSTALLED, kEndOfWizard, 0}}) {
        CWizardPage* page = CreateWizardPage(e.id);
        ASSERT_NE(page, nullptr) << e.id;
        EXPECT_EQ(page->m_nPageId, e.id);
        EXPECT_EQ(page->m_nNextPage, e.next) << e.id;
        EXPECT_EQ(page->m_nButtonBar, e.bar) << e.id;
        EXPECT_EQ(page->m_nPrevPage, 0);
        EXPECT_EQ(g_mapPages[e.id], page) << "the page registers itself";
    }
    EXPECT_EQ(CreateWizardPage(9999), nullptr);
    EXPECT_EQ(CreateWizardPage(0), nullptr);
}
