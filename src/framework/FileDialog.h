#pragma once
// CFileDialog: the system's file-open or file-save dialog in its old style
// (no explorer look), on a private template of the program's resources when
// one is named.
//
// The object is attached to the dialog window before its first message, like
// every framework dialog, so its handlers see the messages first; what they
// leave (and IDOK and IDCANCEL, through OnOK and OnCancel) goes on to the
// system's own processing. The system's notification that a selection changed
// in the folder list or the drive box reaches OnLBSelChangedNotify.

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "framework/Dialog.h"

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // filter: pairs separated by '|' and ended by "||", as "Text (*.*)|*.*||".
    CFileDialog(BOOL bOpenFileDialog, const char* defaultExt = nullptr,
                const char* fileName = nullptr, DWORD flags = 0, const char* filter = nullptr,
                CWnd* parent = nullptr);

    // Runs the system's dialog: IDOK when the user accepted a name, IDCANCEL
    // otherwise (also when the dialog could not be shown).
    INT_PTR DoModal() override;

    // The name the user accepted, with its directory.
    std::string GetPathName() const { return m_szFileName; }

    // The dialog's description; lpstrTitle, lpstrInitialDir and the template
    // may be set before DoModal.
    OPENFILENAMEA m_ofn;

    BOOL OnInitDialog() override;
    // The system's own processing of OK and Cancel.
    void OnOK() override;
    void OnCancel() override;
    // A selection changed in list or combo box idBox (the folder list, the
    // drive box); code is CD_LBSELCHANGE and its kin.
    virtual void OnLBSelChangedNotify(UINT idBox, UINT curSel, UINT code);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static UINT_PTR CALLBACK HookProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL m_bOpenFileDialog;
    std::string m_strFilter;
    std::string m_strDefaultExt;
    char m_szFileName[MAX_PATH] = "";
    char m_szFileTitle[MAX_PATH] = "";
};
