#include "wizard/WizardPage.h"

#include <memory>

#include "app/MainWnd.h"
#include "app/SetupApp.h"
#include "errors/XErrorReport.h"
#include "framework/Exception.h"
#include "framework/GdiObjects.h"
#include "framework/MessageBox.h"
#include "res/StringIds.h"
#include "res/resource.h"
#include "wizard/WizardButtonBar.h"
#include "wizard/WizardNavigation.h"

IMPLEMENT_DYNAMIC(CWizardPage, CDialog)

namespace {

struct ExceptionDeleter {
    void operator()(CException* e) const { e->Delete(); }
};

} // namespace

CWizardPage::CWizardPage(int pageId, int nextPage)
    : CDialog(static_cast<UINT>(pageId)), m_nPageId(pageId), m_nNextPage(nextPage),
      m_nButtonBar(IDD_BUTTON_BAR)
{
    g_mapPages[pageId] = this;
}

CWizardPage::~CWizardPage()
{
    // Destroyed here rather than by the base, so that the window's last
    // messages still reach this class (the button bar detaches from it).
    if (m_hWnd != nullptr)
        DestroyWindow();
    auto it = g_mapPages.find(m_nPageId);
    if (it != g_mapPages.end() && it->second == this)
        g_mapPages.erase(it);
    if (g_pCurrentPage == this)
        g_pCurrentPage = nullptr;
}

void CWizardPage::PlacePage()
{
    CenterWindow();
}

int CWizardPage::RunPageAction()
{
    return 0;
}

BOOL CWizardPage::ConfirmExit()
{
    return AfxMessageBox(IDS_CONFIRM_EXIT, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

BOOL CWizardPage::IsPageNeeded()
{
    return TRUE;
}

BOOL CWizardPage::CreatePage()
{
    return Create(static_cast<UINT>(m_nPageId), nullptr);
}

void CWizardPage::DoDataExchange(CDataExchange*) {}

BOOL CWizardPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlacePage();
    // Unattended, the page is there but cannot be seen: it runs and moves on
    // by itself.
    if (GetSetupApp()->m_bBatch)
        MoveWindow(m_hWnd, 0, 0, 0, 0, TRUE);
    ShowWindow(m_hWnd, SW_SHOW);
    PostMessageA(m_hWnd, WM_RUNPAGEACTION, 0, 0);
    return TRUE;
}

void CWizardPage::OnOK()
{
    GoToPage(m_nNextPage, false);
}

void CWizardPage::OnBack()
{
    GoToPage(m_nPrevPage, true);
}

void CWizardPage::OnCancel()
{
    if (m_nNextPage == kEndOfWizard) {
        OnOK();
        return;
    }
    if (ConfirmExit()) {
        SetNotInstalled();
        GoToPage(m_nNextPage, false);
    }
}

void CWizardPage::SetNotInstalled()
{
    m_nNextPage = IDD_NOT_INSTALLED;
    GetSetupApp()->m_bSuccess = FALSE;
}

void CWizardPage::OnRunPageAction()
{
    int result = IDD_NOT_INSTALLED;
    try {
        result = RunPageAction();
    } catch (...) {
        std::unique_ptr<CException, ExceptionDeleter> e(AfxCurrentException());
        ReportXError(IDS_SETUP_CANNOT_CONTINUE, e.get());
        SetNotInstalled();
    }
    if (result != 0) {
        GoToPage(result, false);
    } else if (GetSetupApp()->m_bBatch) {
        OnOK();
        // Next refused (its message answered): an invisible page would wait
        // for a click that nobody can give.
        if (AfxGetMainWnd() != nullptr && g_pCurrentPage == this)
            AbandonWizard();
    }
}

void CWizardPage::OnActivateApp()
{
    // Another program may have changed the system palette: the background
    // must be drawn again with its own.
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    CWnd* pOwner = CWnd::FromHandlePermanent(owner);
    if (pOwner == nullptr || !pOwner->IsKindOf(RUNTIME_CLASS(CMainWnd)))
        return;
    {
        CClientDC dc(m_hWnd);
        CSelectPalette selection(dc, static_cast<CMainWnd*>(pOwner)->GetPalette(), false);
        selection.Realize();
    }
    InvalidateRect(owner, nullptr, TRUE);
}

int CWizardPage::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (DefWindowProc(WM_CREATE, wParam, lParam) == -1)
        return -1;
    if (m_nButtonBar != 0) {
        m_pButtonBar = new CWizardButtonBar(this);
        if (!m_pButtonBar->Create()) {
            // A bar whose window never came to be cannot delete itself.
            if (m_pButtonBar != nullptr && m_pButtonBar->m_hWnd == nullptr)
                delete m_pButtonBar;
            m_pButtonBar = nullptr;
            return -1;
        }
    }
    return 0;
}

BOOL CWizardPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_BACK:
        OnBack();
        return TRUE;
    case IDC_NEXT:
        // Enter on the page: the dialog manager finds the bar's default button.
        OnOK();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CWizardPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(wParam, lParam);
    case WM_RUNPAGEACTION:
        OnRunPageAction();
        return 0;
    case WM_ACTIVATEAPP:
        OnActivateApp();
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
