#pragma once
// CInsertDisketteDlg: the Insert Diskette prompt. It asks for the diskette
// that holds a missing file, by label when the profile gives one, by number
// otherwise, and ends with OK only once the file is there; until then OK
// flashes the prompt and beeps. The user may try as often as needed, or
// cancel.
//
// The diskette is recognised only by the presence of the file; its label is
// never read.

#include <functional>
#include <string>

#include "errors/ExpandableDialog.h"
#include "support/FilePath.h"

class CInsertDisketteDlg : public CExpandableDialog {
    DECLARE_DYNAMIC(CInsertDisketteDlg)
public:
    // True when the file is there.
    using Probe = std::function<bool(const CFilePath&)>;

    // path: the file looked for; diskette: its number; label: the diskette's
    // label, empty when the profile gives none; probe: how OK looks for the
    // file. The request names the drive only when the path has one (a source
    // on a share has none).
    CInsertDisketteDlg(const CFilePath& path, int diskette, const std::string& label, Probe probe);

    BOOL OnInitDialog() override;
    // Ends with OK when the file is there (the location shown cannot be
    // changed: the path itself is looked for); otherwise flashes and beeps.
    void OnOK() override;

    std::string m_strLocation;
    int m_nDiskette;
    CFilePath m_path;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::string m_strLabel;
    Probe m_probe;
};
