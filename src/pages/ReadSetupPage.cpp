#include "pages/ReadSetupPage.h"

#include <string>

#include "app/SetupApp.h"
#include "res/resource.h"
#include "support/PumpMessages.h"

IMPLEMENT_DYNAMIC(CReadSetupPage, CWizardPage)

CReadSetupPage::CReadSetupPage(int nextPage) : CWizardPage(IDD_READ_SETUP, nextPage)
{
    m_nButtonBar = 0;
}

int CReadSetupPage::RunPageAction()
{
    CSetupApp* app = GetSetupApp();
    // One copy of the path for all five loads: whatever runs while messages
    // are served cannot make them read from two places.
    const std::string profile = app->m_pProfilePath->GetString();

    // Between the loads the page paints and the user may move or cancel it. A
    // cancel that was accepted has already shown the not-installed page; the
    // rest of the profile is of no use then.
    auto pump = [this] {
        PumpMessages();
        return m_bLeft == FALSE;
    };
    app->m_pDestinations->LoadDestinations(profile.c_str());
    if (!pump())
        return m_nNextPage;
    app->m_pGroups->LoadGroups(profile.c_str());
    if (!pump())
        return m_nNextPage;
    app->m_pTargets->LoadTargets(profile.c_str());
    if (!pump())
        return m_nNextPage;
    // The items refer to their groups: groups come first.
    app->m_pFileList->LoadItems(profile.c_str(), *app->m_pGroups);
    if (!pump())
        return m_nNextPage;
    app->m_pDiskettes->LoadDiskettes(profile.c_str());
    pump();
    return m_nNextPage;
}

BOOL CReadSetupPage::IsPageNeeded()
{
    return !m_bLeft;
}

void CReadSetupPage::DoDataExchange(CDataExchange*) {}
