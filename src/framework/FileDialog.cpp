#include "framework/FileDialog.h"

#include <cstring>

#include "framework/Exception.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : CDialog(0, parent), m_bOpenFileDialog(bOpenFileDialog)
{
    memset(&m_ofn, 0, sizeof m_ofn);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = flags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = &HookProc;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    if (defaultExt != nullptr) {
        m_strDefaultExt = defaultExt;
        m_ofn.lpstrDefExt = m_strDefaultExt.c_str();
    }
    if (fileName != nullptr)
        lstrcpynA(m_szFileName, fileName, sizeof m_szFileName);
    if (filter != nullptr) {
        // The system wants the pairs separated and ended by zeros.
        m_strFilter = filter;
        for (char& ch : m_strFilter) {
            if (ch == '|')
                ch = '\0';
        }
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal()
{
    HWND owner = nullptr;
    if (m_pParentWnd != nullptr) {
        owner = m_pParentWnd->m_hWnd;
    } else if (CWnd* mainWnd = AfxGetMainWnd(); mainWnd != nullptr && mainWnd->m_hWnd != nullptr) {
        owner = GetLastActivePopup(mainWnd->m_hWnd);
    }
    m_ofn.hwndOwner = owner;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);

    // The common dialogs' library is loaded when a dialog is first shown, not
    // when the program starts: it brings the common controls and the print
    // spooler with it, which a run that never shows one does not need. Should
    // it be missing, the dialog is as good as cancelled.
    using ShowFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);
    static const HMODULE library = LoadLibraryA("comdlg32.dll");
    const char* name = m_bOpenFileDialog ? "GetOpenFileNameA" : "GetSaveFileNameA";
    const ShowFunction show = library == nullptr
                                  ? nullptr
                                  : reinterpret_cast<ShowFunction>(
                                        reinterpret_cast<void*>(GetProcAddress(library, name)));
    BeginCreateHook();
    const BOOL accepted = show != nullptr && show(&m_ofn);
    EndCreateHook();
    return accepted ? IDOK : IDCANCEL;
}

BOOL CFileDialog::OnInitDialog()
{
    // The system's dialog has set itself up when this runs.
    return CDialog::OnInitDialog();
}

void CFileDialog::OnOK()
{
    HWND button = GetDlgItem(m_hWnd, IDOK);
    DefWindowProc(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void CFileDialog::OnCancel()
{
    HWND button = GetDlgItem(m_hWnd, IDCANCEL);
    DefWindowProc(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void CFileDialog::OnLBSelChangedNotify(UINT, UINT, UINT) {}

LRESULT CFileDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // The system's initialisation first (it fills the lists and calls the
        // hook), then ours.
        DefWindowProc(message, wParam, lParam);
        return OnInitDialog();
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Everything but the selection notification has reached the object
    // through its window procedure already.
    static const UINT selectionChanged = RegisterWindowMessageA(LBSELCHSTRINGA);
    if (message != selectionChanged)
        return 0;
    CWnd* wnd = CWnd::FromHandlePermanent(hDlg);
    if (wnd == nullptr || !wnd->IsKindOf(RUNTIME_CLASS(CFileDialog)))
        return 0;
    try {
        static_cast<CFileDialog*>(wnd)->OnLBSelChangedNotify(static_cast<UINT>(wParam),
                                                             LOWORD(lParam), HIWORD(lParam));
    } catch (...) {
        MSG msg = {hDlg, message, wParam, lParam, 0, {0, 0}};
        AfxProcessWndProcException(AfxCurrentException(), msg);
    }
    return 0;
}
