#pragma once
// CWarningDlg: the dialog through which every failure reaches the user
// (template IDD_WARNING). It shows a headline, the exception's title and, once
// expanded with More>>, its description and a coded error-information line.
// It either only informs (OK) or asks whether to go on (Continue Operation /
// Cancel Operation). Shown through ReportXError and QueryXErrorContinue.

#include <string>

#include "errors/ExpandableDialog.h"
#include "framework/GdiObjects.h"

class CWarningDlg : public CExpandableDialog {
    DECLARE_DYNAMIC(CWarningDlg)
public:
    // Creates the description's face brush (the button-face colour of this
    // moment) and the small font; the dialog is modal over the main window.
    CWarningDlg();

    BOOL OnInitDialog() override;

    int m_nHeadlineId = 0;
    std::string m_strHeadline;
    std::string m_strTitle;
    std::string m_strDescription;
    std::string m_strErrorInfo;
    // TRUE: Continue Operation / Cancel Operation; FALSE: OK only.
    BOOL m_bAsk = FALSE;
    // The system icon shown beside the headline.
    int m_nIconName = 32515; // IDI_EXCLAMATION

protected:
    // Loading only: the icon and the four texts go into their controls.
    void DoDataExchange(CDataExchange* pDX) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

private:
    CBrush m_faceBrush;
    CFont m_smallFont;
};
