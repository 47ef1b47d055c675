#include "pages/NotInstalledPage.h"

#include "res/resource.h"

IMPLEMENT_DYNAMIC(CNotInstalledPage, CWizardPage)

CNotInstalledPage::CNotInstalledPage(int nextPage) : CWizardPage(IDD_NOT_INSTALLED, nextPage)
{
    m_nButtonBar = 0;
}
