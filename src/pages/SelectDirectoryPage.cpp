#include "pages/SelectDirectoryPage.h"

#include "app/SetupApp.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "pages/FolderDialog.h"
#include "res/StringIds.h"
#include "res/resource.h"
#include "support/DriveIterator.h"
#include "support/FilePath.h"
#include "support/StringHelpers.h"
#include "wizard/WizardNavigation.h"

IMPLEMENT_DYNAMIC(CSelectDirectoryPage, CWizardPage)

namespace {

const char kSystem95Group[] = "System95";
const size_t kShortNameLength = 12; // NAME1234.EXT

bool IsWindowsNTPlatform()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace

CSelectDirectoryPage::CSelectDirectoryPage(int nextPage) : CWizardPage(IDD_DESTINATION, nextPage) {}

std::string CSelectDirectoryPage::ProposeLocation(const std::string& name)
{
    char letter = 'C';
    CDriveIterator drives;
    if (drives.FindNextFixed()) {
        letter = drives.GetLetter();
    } else {
        std::string windowsDrive;
        CFilePath(CFilePath::locWindows).GetDrive(windowsDrive);
        if (!windowsDrive.empty())
            letter = windowsDrive[0];
    }
    CFilePath path;
    path.SetDrive(letter);
    path.SetDir(name.c_str());
    std::string location;
    path.GetDirectory(location);
    return location;
}

BOOL CSelectDirectoryPage::OnInitDialog()
{
    if (m_strLocation.empty())
        m_strLocation = ProposeLocation(GetSetupApp()->m_pDestinations->GetDestinationName(0));
    return CWizardPage::OnInitDialog();
}

void CSelectDirectoryPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_LOCATION, m_strLocation);
}

BOOL CSelectDirectoryPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_BROWSE && HIWORD(wParam) == BN_CLICKED) {
        OnBrowse();
        return TRUE;
    }
    return CWizardPage::OnCommand(wParam, lParam);
}

void CSelectDirectoryPage::OnOK()
{
    UpdateData(TRUE);
    CFilePath directory;
    directory.SetDirectory(m_strLocation.c_str());
    // A location must leave room for a file name of eight and three
    // characters, as the files and their temporary names take: a longer one
    // would be cut by the path (a directory the user never named) and hold no
    // file. Windows refuses such directories too.
    std::string typed = m_strLocation;
    AddTrailingBackslash(typed);
    bool ok = typed.size() + kShortNameLength <= CFilePath::kMaxPath;
    if (ok)
        ok = directory.DirectoryExists() || directory.CreateDirectoryTree(true);
    if (!ok) {
        AfxMessageBox(IDS_CANNOT_CREATE_DIRECTORY, MB_OK);
        return;
    }

    CSetupApp* app = GetSetupApp();
    app->m_pDestinations->SetDestinationPath(0, directory.GetString().c_str());
    app->m_pDestinations->ResolveDestinations();
    // The copy page only posts its start message here: the selection below
    // is in place before its work begins.
    GoToPage(m_nNextPage, false);
    app->SelectGroupsForType(2);
    if (IsWindowsNTPlatform())
        app->SetGroupSelected(kSystem95Group, FALSE);
}

void CSelectDirectoryPage::OnBrowse()
{
    CFolderDialog dialog;
    UpdateData(TRUE);
    dialog.Browse(m_strLocation, TRUE);
    UpdateData(FALSE);
}
