#include "errors/WarningDlg.h"

#include "framework/DataExchange.h"
#include "framework/ResourceString.h"
#include "res/StringIds.h"
#include "res/resource.h"
#include "widgets/PaintHelpers.h"

IMPLEMENT_DYNAMIC(CWarningDlg, CExpandableDialog)

CWarningDlg::CWarningDlg() : CExpandableDialog(IDD_WARNING)
{
    m_faceBrush.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    CreateFontPoints(m_smallFont, nullptr, "Arial", 8);
}

void CWarningDlg::DoDataExchange(CDataExchange* pDX)
{
    CExpandableDialog::DoDataExchange(pDX);
    // Nothing is ever read back: the texts are the report, not input.
    if (pDX->m_bSaveAndValidate)
        return;
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(m_nIconName));
    SendDlgItemMessageA(m_hWnd, IDC_WARNING_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    DDX_Text(pDX, IDC_WARNING_HEADLINE, m_strHeadline);
    DDX_Text(pDX, IDC_WARNING_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_WARNING_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_WARNING_INFO, m_strErrorInfo);
}

BOOL CWarningDlg::OnInitDialog()
{
    CExpandableDialog::OnInitDialog();
    if (m_bAsk) {
        SetDlgItemTextA(m_hWnd, IDOK, ResourceString(IDS_CONTINUE_OPERATION).c_str());
        SetDlgItemTextA(m_hWnd, IDCANCEL, ResourceString(IDS_CANCEL_OPERATION).c_str());
    } else {
        ShowWindow(GetDlgItem(m_hWnd, IDCANCEL), SW_HIDE);
    }
    SendDlgItemMessageA(m_hWnd, IDC_WARNING_INFO, WM_SETFONT,
                        reinterpret_cast<WPARAM>(static_cast<HFONT>(m_smallFont)), TRUE);
    SendDlgItemMessageA(m_hWnd, IDC_WARNING_DESCRIPTION, WM_SETFONT,
                        reinterpret_cast<WPARAM>(static_cast<HFONT>(m_smallFont)), TRUE);
    CenterWindow();
    return TRUE;
}

HBRUSH CWarningDlg::OnCtlColor(HDC dc, HWND control, UINT message)
{
    // The read-only description reads as part of the dialog face.
    if (control != nullptr && control == GetDlgItem(m_hWnd, IDC_WARNING_DESCRIPTION)) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return m_faceBrush;
    }
    return CExpandableDialog::OnCtlColor(dc, control, message);
}
