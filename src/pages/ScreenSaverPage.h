#pragma once
// Page 1549: makes the installed screen saver the current user's desktop
// screen saver, then hands over to the closing page. It is the only place
// where the program writes to the registry.

#include "wizard/WizardPage.h"

class CScreenSaverPage : public CWizardPage {
    DECLARE_DYNAMIC(CScreenSaverPage)
public:
    explicit CScreenSaverPage(int nextPage);

    // Sets HKEY_CURRENT_USER "Control Panel\Desktop" value "Scrnsave.exe" to
    // the absolute System directory followed by "VelmoSaver.scr", replacing
    // the value whatever the letter case of its old name; nothing is created
    // when that key is missing, and a failure is passed over silently. Runs
    // whether or not the copying succeeded: the result is the finished page
    // while the run's outcome is still a success, otherwise the not-installed
    // page.
    int RunPageAction() override;
};
