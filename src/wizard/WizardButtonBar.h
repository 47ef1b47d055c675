#pragma once
// CWizardButtonBar: the Next, Back and Cancel buttons of a page, a child
// dialog (IDD_BUTTON_BAR) glued to the foot of the page, which it widens to
// its own width if need be. Its commands go to the page. It deletes itself
// when its window is destroyed.

#include "framework/Dialog.h"

class CWizardPage;

class CWizardButtonBar : public CDialog {
    DECLARE_DYNAMIC(CWizardButtonBar)
public:
    explicit CWizardButtonBar(CWizardPage* page);

    // Creates the bar's window as a child of the page.
    BOOL Create();

    // Lays the bar out below the page's client area and sets Back and Next.
    BOOL OnInitDialog() override;
    // Esc or Cancel: the page's OnCancel.
    void OnCancel() override;

    void EnableNext(BOOL enable);
    void EnableBack(BOOL enable);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    CWizardPage* m_pPage;
};

// Enables or disables control id of window; FALSE when there is no such control.
BOOL EnableDlgItem(HWND window, int id, BOOL enable);
