#pragma once
// Page 1537: where the requirements that the computer does not meet would be
// listed before Setup refuses to go on. This program sets none that a
// computer could miss, so the page is never shown and navigation follows its
// links (forward to the destination page, back to its predecessor).
//
// When a derived page finds a condition unmet, the page shows the list
// (m_strConditions) and its Continue leads to the not-installed page, with the
// run marked failed, unless the user started Setup with /I: then Continue goes
// on as if all were met.

#include <string>

#include "wizard/WizardPage.h"

class CInstallConditionsPage : public CWizardPage {
    DECLARE_DYNAMIC(CInstallConditionsPage)
public:
    explicit CInstallConditionsPage(int nextPage);

    // Whether the computer meets every requirement; TRUE in this program.
    virtual BOOL AreConditionsMet();

    // Only when a condition is not met.
    BOOL IsPageNeeded() override;
    // Shows the list; Continue then ends Setup as not installed, unless /I.
    BOOL OnInitDialog() override;

    // The unmet requirements, shown in control IDC_CONDITIONS.
    std::string m_strConditions;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
