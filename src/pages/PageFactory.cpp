// The page factory: the page classes of the wizard and the page each one's
// Next leads to. The chain as the program runs it:
//
//   102 welcome -> 114 reading setup -> 1537 install conditions -> 104 destination
//   -> 108 copy -> 1549 screen saver -> 115 finished;   any cancel or failure -> 116
//
// An id without a page class here gives no page; navigation reports that.
#include "wizard/PageFactory.h"

#include "pages/FinishedPage.h"
#include "pages/InstallConditionsPage.h"
#include "pages/NotInstalledPage.h"
#include "pages/ReadSetupPage.h"
#include "pages/ScreenSaverPage.h"
#include "pages/WelcomePage.h"
#include "res/resource.h"
#include "wizard/WizardNavigation.h"

namespace {

// The reading-setup page, which follows the welcome page.
const int kReadSetupPage = 114;
// The destination page, which follows the install-conditions page.
const int kDestinationPage = 104;

} // namespace

CWizardPage* CreateWizardPage(int id)
{
    switch (id) {
    case IDD_WELCOME:
        return new CWelcomePage(kReadSetupPage);
    case IDD_READ_SETUP:
        return new CReadSetupPage(IDD_INSTALL_CONDITIONS);
    case IDD_INSTALL_CONDITIONS:
        return new CInstallConditionsPage(kDestinationPage);
    case IDD_SCREEN_SAVER:
        return new CScreenSaverPage(IDD_FINISHED);
    case IDD_FINISHED:
        return new CFinishedPage(kEndOfWizard);
    case IDD_NOT_INSTALLED:
        return new CNotInstalledPage(kEndOfWizard);
    }
    return nullptr;
}
