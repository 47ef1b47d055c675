#pragma once
// Page 116: the end of a cancelled or failed installation. Its one button (or
// Esc) ends the wizard; it has no button bar. The run is already marked as
// failed by whatever led here.

#include "wizard/WizardPage.h"

class CNotInstalledPage : public CWizardPage {
    DECLARE_DYNAMIC(CNotInstalledPage)
public:
    explicit CNotInstalledPage(int nextPage);
};
