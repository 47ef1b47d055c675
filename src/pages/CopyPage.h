#pragma once
// Page 108: copies the selected items of the file list and then makes the
// shortcuts. It shows the source file of the item being installed, the
// target of the file being written with its own percentage, and a gauge of
// the bytes done out of the bytes to install. Cancel only asks for a stop:
// the next progress update asks the user and, on Yes, ends the extraction as
// a cancel. It has no button bar.

#include <cstdint>
#include <string>

#include "install/CopyProgress.h"
#include "widgets/Gauge.h"
#include "wizard/WizardPage.h"

class CCopyPage : public CWizardPage, public CCopyProgress {
    DECLARE_DYNAMIC(CCopyPage)
public:
    explicit CCopyPage(int nextPage);

    // The page, then the gauge over the placeholder 1010.
    BOOL OnInitDialog() override;
    // Installs every selected item in list order, then makes the shortcuts;
    // 116 as soon as the run has failed or was cancelled.
    int RunPageAction() override;
    // Asks for a stop at the next progress update; nothing else.
    void OnCancel() override;

    void SetCurrentMember(CMultiFileMember* member) override { m_pCurrentMember = member; }
    void AddBytesDone(uint32_t bytes) override { m_nBytesDone += bytes; }
    // Serves waiting messages and a cancel request, then moves the gauge and
    // shows the current file's target with its percentage.
    void UpdateProgress() override;
    void SetNotInstalled() override { CWizardPage::SetNotInstalled(); }

    // Percent of unpacked bytes written, 0 to 100; 100 for an empty file.
    static int Percent(uint32_t written, uint32_t unpacked);

    CGauge m_gauge;
    BOOL m_bCancelRequest = FALSE;
    CMultiFileMember* m_pCurrentMember = nullptr;
    uint32_t m_nBytesDone = 0;
    // Control 1009 and what it shows, as the last progress update set it.
    HWND m_hDestination = nullptr;
    std::string m_strDestinationShown;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
