#pragma once
// Page 114: shown while the install profile is read into the application's
// five collections, then it hands over by itself. It has no buttons; Esc or
// closing it asks whether to leave Setup, as every page does.
//
// The profile is read on the first pass only: once the wizard has moved on,
// navigation passes over the page in both directions.

#include "wizard/WizardPage.h"

class CReadSetupPage : public CWizardPage {
    DECLARE_DYNAMIC(CReadSetupPage)
public:
    explicit CReadSetupPage(int nextPage);

    // Loads destinations, groups, targets, items and diskettes, in this order,
    // from the application's profile, serving waiting messages after each load;
    // returns the next page. A profile that is missing, unreadable or has no
    // destinations throws CInstallProfileException (the wizard reports it and
    // ends on the not-installed page). When a cancel accepted meanwhile has
    // moved the wizard on, the remaining loads are not done, and the result is
    // the page the cancel chose.
    int RunPageAction() override;
    // FALSE once the wizard has left the page.
    BOOL IsPageNeeded() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
