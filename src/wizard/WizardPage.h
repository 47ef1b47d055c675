#pragma once
// CWizardPage: one page of the setup wizard, a modeless dialog whose template
// id is also the page id.
//
// A page is created once (by the page factory, on the first GoToPage to its
// id), registers itself in the page registry, and is hidden, never destroyed,
// when the wizard moves on; DestroyAllPages deletes it at shutdown. It starts
// its work after it is visible: OnInitDialog posts WM_RUNPAGEACTION to itself,
// whose handler runs RunPageAction and goes to the page that returns.
// Pages with m_nButtonBar set carry the Next/Back/Cancel bar at their foot.

#include "framework/Dialog.h"

class CWizardButtonBar;

// Starts a page's work (WPARAM and LPARAM 0).
const UINT WM_RUNPAGEACTION = WM_USER + 201;

class CWizardPage : public CDialog {
    DECLARE_DYNAMIC(CWizardPage)
public:
    // Registers the page under pageId (replacing a page registered there before).
    CWizardPage(int pageId, int nextPage);
    // Destroys the page's window if it still exists.
    ~CWizardPage() override;

    // Centres the page over its owner.
    virtual void PlacePage();
    // The page's work: the id of the page to go to next, or 0 to stay. The
    // base does nothing and returns 0.
    virtual int RunPageAction();
    // Asks string 5 with Yes and No; true on Yes.
    virtual BOOL ConfirmExit();
    // FALSE makes navigation pass over the page.
    virtual BOOL IsPageNeeded();
    // Creates the page's window, owned by the main window.
    virtual BOOL CreatePage();

    BOOL OnInitDialog() override;
    // Next: GoToPage(m_nNextPage).
    void OnOK() override;
    // Asks, then ends as not installed; on a last page it acts as Next.
    void OnCancel() override;
    // Back: GoToPage(m_nPrevPage, backward).
    void OnBack();

    // The run has failed: Next now leads to the not-installed page.
    void SetNotInstalled();

    int m_nPageId;
    // -1: Next ends the wizard.
    int m_nNextPage;
    // IDD_BUTTON_BAR, or 0 for a page without the bar.
    int m_nButtonBar;
    // Set once the wizard has moved from this page to another.
    BOOL m_bLeft = FALSE;
    // The page that led here; 0: none.
    int m_nPrevPage = 0;
    // Exists while the page's window does.
    CWizardButtonBar* m_pButtonBar = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // WM_CREATE: the default creation, then the button bar.
    int OnCreate(WPARAM wParam, LPARAM lParam);
    // The page's work; the page its result names follows. Unattended, a page
    // whose work names none goes on as Next would, and when Next keeps it
    // where it is the run ends as failed.
    void OnRunPageAction();
    void OnActivateApp();
};
