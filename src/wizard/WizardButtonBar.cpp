#include "wizard/WizardButtonBar.h"

#include <algorithm>

#include "wizard/WizardPage.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CWizardButtonBar, CDialog)

BOOL EnableDlgItem(HWND window, int id, BOOL enable)
{
    HWND item = GetDlgItem(window, id);
    if (item == nullptr)
        return FALSE;
    EnableWindow(item, enable);
    return TRUE;
}

CWizardButtonBar::CWizardButtonBar(CWizardPage* page)
    : CDialog(static_cast<UINT>(page->m_nButtonBar), page), m_pPage(page)
{
}

BOOL CWizardButtonBar::Create()
{
    return CDialog::Create(m_nIDTemplate, m_pPage);
}

void CWizardButtonBar::DoDataExchange(CDataExchange*) {}

BOOL CWizardButtonBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND page = m_pPage->m_hWnd;
    RECT bar, pageRect, client;
    GetWindowRect(m_hWnd, &bar);
    GetWindowRect(page, &pageRect);
    GetClientRect(page, &client);
    int barWidth = bar.right - bar.left;
    int barHeight = bar.bottom - bar.top;
    int width = std::max(static_cast<int>(pageRect.right - pageRect.left), barWidth);

    MoveWindow(m_hWnd, (client.right - client.left - barWidth) / 2, client.bottom, width, barHeight,
               FALSE);
    MoveWindow(page, pageRect.left, pageRect.top, width, pageRect.bottom - pageRect.top + barHeight,
               FALSE);

    EnableBack(m_pPage->m_nPrevPage != 0);
    EnableNext(m_pPage->m_nNextPage != 0);
    return TRUE;
}

void CWizardButtonBar::EnableNext(BOOL enable)
{
    EnableDlgItem(m_hWnd, IDC_NEXT, enable);
}

void CWizardButtonBar::EnableBack(BOOL enable)
{
    EnableDlgItem(m_hWnd, IDC_BACK, enable);
}

void CWizardButtonBar::OnCancel()
{
    m_pPage->OnCancel();
}

BOOL CWizardButtonBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The page's handlers may end the wizard, and with it this bar: nothing
    // after them touches the object.
    switch (LOWORD(wParam)) {
    case IDC_NEXT:
        m_pPage->OnOK();
        return TRUE;
    case IDC_BACK:
        m_pPage->OnBack();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CWizardButtonBar::PostNcDestroy()
{
    if (m_pPage->m_pButtonBar == this)
        m_pPage->m_pButtonBar = nullptr;
    delete this;
}
