#include "pages/FinishedPage.h"

#include "res/resource.h"

IMPLEMENT_DYNAMIC(CFinishedPage, CWizardPage)

CFinishedPage::CFinishedPage(int nextPage) : CWizardPage(IDD_FINISHED, nextPage)
{
    m_nButtonBar = 0;
}
