#pragma once
// Page 102: greets the user and offers Next and Cancel. It has nothing of its
// own: the base action returns 0, so the page waits for the user.

#include "wizard/WizardPage.h"

class CWelcomePage : public CWizardPage {
    DECLARE_DYNAMIC(CWelcomePage)
public:
    explicit CWelcomePage(int nextPage);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
