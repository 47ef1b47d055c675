#pragma once
// CFolderDialog: a folder picker made from the system's old-style save dialog
// on template 138. The dialog lists folders and drives; its Path field
// follows the folder the user opens and may be typed over. The hidden file
// name "jet.jet" is what the system's dialog accepts: the folder in the Path
// field, not a file, is the result.

#include <string>

#include "framework/FileDialog.h"

class CFolderDialog : public CFileDialog {
    DECLARE_DYNAMIC(CFolderDialog)
public:
    explicit CFolderDialog(CWnd* parent = nullptr);

    // Lets the user pick a folder, starting from path. An empty path is
    // refused with string 27 and no dialog. The dialog opens in the deepest
    // existing folder on the way to path (which becomes the process's current
    // directory); when no folder on the way exists (a drive that is not
    // there), in the root of the first fixed disk, else where the process
    // stands. path changes only when the user confirms with OK. editable
    // chooses between the Path edit and a read-only Path text.
    void Browse(std::string& path, BOOL editable);

    BOOL OnInitDialog() override;
    // An empty Path is refused with string 27 and the dialog stays.
    void OnOK() override;
    // Once initialised: the Path field takes the folder now open.
    void OnLBSelChangedNotify(UINT idBox, UINT curSel, UINT code) override;

    std::string m_strCurrentDir;
    std::string m_strPath;
    std::string m_strPathText;
    BOOL m_bInitialized = FALSE;
    BOOL m_bEditable = TRUE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::string m_strInitialDir;
};
