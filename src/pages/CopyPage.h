#pragma once
// Page 108: copies the selected items of the file list and then makes the
// shortcuts. It shows the source file of the item being installed, the
// target of the file being written with its own percentage, and a gauge of
// the bytes done out of the bytes to install. Cancel only asks for a stop:
// the next progress update asks the user and, on Yes, ends the extraction as
// a cancel. It has no button bar.
//
// Blocks arrive tens of thousands of times a second; the screen changes tens
// of times. The progress update therefore reaches the window system (pump,
// gauge, text) at most once every kRefreshTicks milliseconds, by the clock
// the process reads for itself. Each file's final values show when the file
// ends, and where the copy stands whenever a dialog waits over the page.

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

    // A member that ends (null follows it) leaves its final values shown.
    void SetCurrentMember(CMultiFileMember* member) override;
    void AddBytesDone(uint32_t bytes) override { m_nBytesDone += bytes; }
    // Once kRefreshTicks have passed since the last time, or at once when a
    // cancel was asked for: serves waiting messages and a cancel request, then
    // moves the gauge and shows the current file's target with its
    // percentage. Sooner, it returns at once.
    void UpdateProgress() override;
    // Serves waiting messages when kRefreshTicks have passed since the window
    // system was last served: most members take less time than that.
    void PumpBetweenMembers() override;
    void SetNotInstalled() override { CWizardPage::SetNotInstalled(); }

    // Percent of unpacked bytes written, 0 to 100; 100 for an empty file.
    static int Percent(uint32_t written, uint32_t unpacked);

    // Fast enough to look continuous, and a Cancel click is served within
    // this time of the block in which it is handled.
    static const DWORD kRefreshTicks = 25;

    CGauge m_gauge;
    BOOL m_bCancelRequest = FALSE;
    CMultiFileMember* m_pCurrentMember = nullptr;
    uint32_t m_nBytesDone = 0;
    // Control 1009 and what it shows, as the last progress update set it.
    HWND m_hDestination = nullptr;
    std::string m_strDestinationShown;
    // When the last progress update reached the window system (GetTickCount),
    // and whether one ever did.
    DWORD m_nLastRefresh = 0;
    bool m_bRefreshed = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // WM_ENTERIDLE: a dialog or question that waits over the page (the
    // diskette prompt mid-file, the exit question) has an empty queue; the
    // display then shows where the copy stands, however recent the last
    // update.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The gauge at bytes done plus what the member has written, and control
    // 1009 with the member's target and percentage.
    void ShowProgress(const CMultiFileMember& member);
    // True, and the clock restarted, when kRefreshTicks have passed since the
    // last time (or it is the first time).
    bool IsRefreshDue();
};
