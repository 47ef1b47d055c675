#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/Exception.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {

// Every message goes to the framework's window procedure, which subclasses
// the dialog before its first message; the dialog procedure only has to
// leave the rest to the system's dialog manager.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

bool IsEditControl(HWND control)
{
    char className[16] = "";
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "Edit") == 0;
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

HWND CDialog::GetOwnerHwnd() const
{
    if (m_pParentWnd != nullptr)
        return m_pParentWnd->m_hWnd;
    CWnd* mainWnd = AfxGetMainWnd();
    if (mainWnd == nullptr || mainWnd->m_hWnd == nullptr)
        return nullptr;
    // Modal over whatever the user is working in: the main window's last
    // active popup (a page, another dialog) or the main window itself.
    return GetLastActivePopup(mainWnd->m_hWnd);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    m_bModal = false;
    HWND owner = parent != nullptr            ? parent->m_hWnd
                 : AfxGetMainWnd() != nullptr ? AfxGetMainWnd()->m_hWnd
                                              : nullptr;
    BeginCreateHook();
    HWND hWnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                                   &AfxDlgProc, 0);
    EndCreateHook();
    return hWnd != nullptr && m_hWnd == hWnd;
}

INT_PTR CDialog::DoModal()
{
    m_bModal = true;
    BeginCreateHook();
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                     GetOwnerHwnd(), &AfxDlgProc, 0);
    EndCreateHook();
    m_bModal = false;
    return result;
}

void CDialog::EndDialog(int result)
{
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate != FALSE);
    try {
        DoDataExchange(&dx);
    } catch (CException* e) {
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            throw;
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    // A modal dialog's own loop does this; a child dialog leaves it to the
    // top-level dialog it sits in, so that Tab crosses into and out of it.
    if (m_bModal || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return FALSE;
    if ((GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD) != 0)
        return FALSE;
    return IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

HBRUSH CDialog::OnCtlColor(HDC dc, HWND control, UINT message)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->GetDialogBkBrush() == nullptr)
        return nullptr;
    // The face, static texts, icons, check boxes and group boxes; read-only
    // edits (which ask as statics) keep the system's colours.
    if (message == WM_CTLCOLORDLG || (message == WM_CTLCOLORSTATIC && !IsEditControl(control))) {
        SetBkColor(dc, app->GetDialogBkColor());
        SetTextColor(dc, app->GetDialogTextColor());
        return app->GetDialogBkBrush();
    }
    return nullptr;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX: {
        HBRUSH brush =
            OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
        if (brush != nullptr)
            return reinterpret_cast<LRESULT>(brush);
        break;
    }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
