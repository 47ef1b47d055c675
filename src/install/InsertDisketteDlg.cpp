#include "install/InsertDisketteDlg.h"

#include <utility>

#include "framework/DataExchange.h"
#include "res/StringIds.h"
#include "res/resource.h"
#include "support/StringHelpers.h"

IMPLEMENT_DYNAMIC(CInsertDisketteDlg, CExpandableDialog)

CInsertDisketteDlg::CInsertDisketteDlg(const CFilePath& path, int diskette,
                                       const std::string& label, Probe probe)
    : CExpandableDialog(IDD_INSERT_DISKETTE), m_nDiskette(diskette), m_path(path),
      m_strLabel(label), m_probe(std::move(probe))
{
}

void CInsertDisketteDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_DISKETTE_LOCATION, m_strLocation);
}

BOOL CInsertDisketteDlg::OnInitDialog()
{
    CExpandableDialog::OnInitDialog();

    std::string drive;
    m_path.GetDrive(drive);
    std::string request;
    if (!m_strLabel.empty() && !drive.empty())
        FormatString(request,
                     "Please insert the diskette labelled '%s' in drive %s:", m_strLabel.c_str(),
                     drive.c_str());
    else if (!m_strLabel.empty())
        FormatString(request, "Please insert the diskette labelled '%s'.", m_strLabel.c_str());
    else if (!drive.empty())
        FormatString(request, "Please insert diskette %d in drive %s:", m_nDiskette, drive.c_str());
    else
        FormatString(request, "Please insert diskette %d.", m_nDiskette);
    SetDlgItemTextA(m_hWnd, IDC_DISKETTE_REQUEST, request.c_str());

    std::string explanation;
    FormatResourceString(explanation, IDS_CANNOT_FIND_FILE, m_path.GetString().c_str());
    SetDlgItemTextA(m_hWnd, IDC_DISKETTE_EXPLANATION, explanation.c_str());

    m_path.GetDirectory(m_strLocation);
    UpdateData(FALSE);
    CenterWindow();
    return TRUE;
}

void CInsertDisketteDlg::OnOK()
{
    // The location below the marker is out of the user's reach and, for a
    // source without a drive letter, would not even name the directory.
    if (m_probe(m_path)) {
        EndDialog(IDOK);
        return;
    }
    FlashWindow(m_hWnd, TRUE);
    FlashWindow(m_hWnd, FALSE);
    MessageBeep(MB_ICONASTERISK);
}
