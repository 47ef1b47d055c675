#pragma once
// CDialog: a dialog built from a template of the program's resources, run
// modally (DoModal) or modelessly (Create).
//
// IDOK and IDCANCEL commands (Enter, Esc, the close box) reach OnOK and
// OnCancel. A modeless top-level dialog gets its dialog keys (Tab, Enter, Esc)
// from the application's message loop. When the application has a dialog
// background colour, the dialog's face and its static controls use it.

#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    // parent: the owner of the dialog (null: the application's main window).
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);

    // Creates the modeless dialog from template templateId: a child of parent
    // when the template has the child style, otherwise owned by it (by the
    // main window when parent is null). False when the window was not created.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Runs the dialog modally; the value given to EndDialog, or -1 when the
    // dialog could not be created.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with result (a modeless one is hidden).
    void EndDialog(int result);

    // Runs DoDataExchange in the given direction; FALSE when it threw
    // CUserException (a value was refused).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The colours of the dialog (WM_CTLCOLORDLG) and its controls; the brush to
    // paint with, or null for the system's default.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    // The window that owns a dialog of this object.
    HWND GetOwnerHwnd() const;

    bool m_bModal = false;
};
