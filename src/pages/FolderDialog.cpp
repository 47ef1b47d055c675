#include "pages/FolderDialog.h"

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "res/StringIds.h"
#include "res/resource.h"
#include "support/DriveIterator.h"
#include "support/FilePath.h"

IMPLEMENT_DYNAMIC(CFolderDialog, CFileDialog)

namespace {

// Where the browser opens when no folder on the way to the given path exists.
std::string FallbackFolder()
{
    CDriveIterator drives;
    if (drives.FindNextFixed()) {
        CFilePath root;
        drives.GetRoot(root);
        if (root.EnterDirectory())
            return root.GetString();
    }
    return CFilePath(CFilePath::locCurrent).GetString();
}

} // namespace

CFolderDialog::CFolderDialog(CWnd* parent)
    : CFileDialog(FALSE, nullptr, "jet.jet", OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_ENABLETEMPLATE,
                  "AllFiles (*.*) | *.* ||", parent)
{
    m_ofn.Flags &= ~static_cast<DWORD>(OFN_EXPLORER);
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_CHANGE_FOLDER);
    m_ofn.hInstance = GetModuleHandleA(nullptr);
}

void CFolderDialog::Browse(std::string& path, BOOL editable)
{
    if (path.empty()) {
        AfxMessageBox(IDS_EMPTY_PATH, MB_OK);
        return;
    }
    CFilePath start;
    start.SetDirectory(path.c_str());
    m_strPath = path;
    m_bEditable = editable;

    // Up to the deepest folder that can be entered. At the root the path no
    // longer changes: a drive that is not there ends the walk too.
    bool entered = start.EnterDirectory();
    while (!entered) {
        const std::string before = start.GetString();
        start.UpOneLevel();
        if (start.GetString() == before)
            break;
        entered = start.EnterDirectory();
    }
    m_strInitialDir = entered ? start.GetString() : FallbackFolder();
    m_ofn.lpstrInitialDir = m_strInitialDir.c_str();
    m_ofn.lpstrTitle = "Change Folder";

    if (DoModal() == IDOK)
        path = m_strPath;
}

void CFolderDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_FOLDER_CURRENT, m_strCurrentDir);
    DDX_Text(pDX, IDC_FOLDER_PATH, m_strPath);
    DDX_Text(pDX, IDC_FOLDER_PATH_TEXT, m_strPathText);
}

BOOL CFolderDialog::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    // Wide enough that the system never has to shorten the directory it keeps there.
    MoveWindow(GetDlgItem(m_hWnd, IDC_FOLDER_CURRENT), 0, 150, 800, 20, TRUE);
    ShowWindow(GetDlgItem(m_hWnd, IDC_FOLDER_PATH), m_bEditable ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(m_hWnd, IDC_FOLDER_PATH_TEXT), m_bEditable ? SW_HIDE : SW_SHOW);
    CenterWindow();
    UpdateData(FALSE);
    m_bInitialized = TRUE;
    return TRUE;
}

void CFolderDialog::OnOK()
{
    UpdateData(TRUE);
    if (m_strPath.empty()) {
        AfxMessageBox(IDS_EMPTY_PATH, MB_OK);
        return;
    }
    CFileDialog::OnOK();
}

void CFolderDialog::OnLBSelChangedNotify(UINT, UINT, UINT)
{
    if (!m_bInitialized)
        return;
    UpdateData(TRUE);
    m_strPath = m_strCurrentDir;
    m_strPathText = m_strCurrentDir;
    UpdateData(FALSE);
}
