#include "pages/WelcomePage.h"

#include "res/resource.h"

IMPLEMENT_DYNAMIC(CWelcomePage, CWizardPage)

CWelcomePage::CWelcomePage(int nextPage) : CWizardPage(IDD_WELCOME, nextPage) {}

BOOL CWelcomePage::OnInitDialog()
{
    return CWizardPage::OnInitDialog();
}

void CWelcomePage::DoDataExchange(CDataExchange*) {}
