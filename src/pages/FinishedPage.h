#pragma once
// Page 115: the end of a successful installation. Its one button (or Esc)
// ends the wizard; it has no button bar.

#include "wizard/WizardPage.h"

class CFinishedPage : public CWizardPage {
    DECLARE_DYNAMIC(CFinishedPage)
public:
    explicit CFinishedPage(int nextPage);
};
