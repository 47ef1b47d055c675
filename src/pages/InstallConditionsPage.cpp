#include "pages/InstallConditionsPage.h"

#include "app/SetupApp.h"
#include "framework/DataExchange.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CInstallConditionsPage, CWizardPage)

CInstallConditionsPage::CInstallConditionsPage(int nextPage)
    : CWizardPage(IDD_INSTALL_CONDITIONS, nextPage)
{
}

BOOL CInstallConditionsPage::AreConditionsMet()
{
    return TRUE;
}

BOOL CInstallConditionsPage::IsPageNeeded()
{
    return !AreConditionsMet();
}

BOOL CInstallConditionsPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    // The page is shown only when a requirement is unmet: every way on from
    // here (Continue, or Back and Next again) reaches it, so the run cannot
    // succeed any more. Marking it failed now keeps the status report from
    // calling the not-installed page a successful installation.
    if (!GetSetupApp()->m_bIgnoreConditions)
        SetNotInstalled();
    return TRUE;
}

void CInstallConditionsPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_CONDITIONS, m_strConditions);
}
