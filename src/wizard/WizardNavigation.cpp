#include "wizard/WizardNavigation.h"

#include <set>

#include "app/SetupApp.h"
#include "errors/XErrorReport.h"
#include "errors/XException.h"
#include "framework/Exception.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "res/StringIds.h"
#include "res/resource.h"
#include "wizard/PageFactory.h"
#include "wizard/WizardPage.h"

std::map<int, CWizardPage*> g_mapPages;
CWizardPage* g_pCurrentPage = nullptr;

namespace {

enum class Resolution {
    page,   // a page to show
    end,    // forward past the last page: the wizard ends
    stay,   // back past the first page: nothing changes
    failed, // an unknown id, or no page on the chain wants to be shown
};

CWizardPage* FindOrCreatePage(int id)
{
    auto it = g_mapPages.find(id);
    if (it != g_mapPages.end())
        return it->second;
    return CreateWizardPage(id);
}

// Follows the chain from id past the pages that are not needed. Each id is
// visited once, so a chain that leads round in a circle ends as failed.
Resolution ResolvePage(int id, bool backward, CWizardPage*& page)
{
    std::set<int> visited;
    for (;;) {
        if (id == kEndOfWizard && !backward)
            return Resolution::end;
        if (id == 0 && backward)
            return Resolution::stay;
        if (!visited.insert(id).second)
            return Resolution::failed;
        page = FindOrCreatePage(id);
        if (page == nullptr)
            return Resolution::failed;
        if (page->IsPageNeeded())
            return Resolution::page;
        id = backward ? page->m_nPrevPage : page->m_nNextPage;
    }
}

void MarkRunFailed()
{
    GetSetupApp()->m_bSuccess = FALSE;
}

// The wizard cannot reach the page it was sent to: that is a damaged program,
// reported as a resource error, and the run ends as failed.
void NavigationFailed(int requested)
{
    CXResourceException e;
    ReportXError(IDS_SETUP_CANNOT_CONTINUE, &e);
    if (requested == IDD_NOT_INSTALLED) {
        MarkRunFailed();
        GoToPage(kEndOfWizard);
        return;
    }
    AbandonWizard();
}

} // namespace

void GoToPage(int id, bool backward)
{
    CWnd* mainWnd = AfxGetMainWnd();
    if (mainWnd == nullptr)
        return; // the wizard has ended
    if (id == kEndOfWizard) {
        mainWnd->DestroyWindow();
        return;
    }

    CWizardPage* previous = g_pCurrentPage;
    int previousId = previous != nullptr ? previous->m_nPageId : 0;
    CWizardPage* page = nullptr;
    switch (ResolvePage(id, backward, page)) {
    case Resolution::page:
        break;
    case Resolution::end:
        GoToPage(kEndOfWizard);
        return;
    case Resolution::stay:
        return;
    case Resolution::failed:
        NavigationFailed(id);
        return;
    }

    if (!backward && page != previous && page->m_nPrevPage == 0)
        page->m_nPrevPage = previousId;

    g_pCurrentPage = page;
    if (page->m_hWnd != nullptr) {
        ShowWindow(page->m_hWnd, SW_SHOW);
    } else {
        BOOL created = FALSE;
        try {
            created = page->CreatePage();
        } catch (...) {
            g_pCurrentPage = previous;
            throw;
        }
        if (!created) {
            g_pCurrentPage = previous;
            AfxThrowResourceException();
        }
        UpdateWindow(page->m_hWnd);
    }

    // The page the wizard is on already stays shown.
    if (previous != nullptr && previous != page) {
        previous->m_bLeft = TRUE;
        ShowWindow(previous->m_hWnd, SW_HIDE);
    }
}

void AbandonWizard()
{
    CWizardPage* current = g_pCurrentPage;
    if (current != nullptr && current->m_nPageId == IDD_NOT_INSTALLED) {
        MarkRunFailed();
        GoToPage(kEndOfWizard);
        return;
    }
    if (current != nullptr)
        current->SetNotInstalled();
    else
        MarkRunFailed();
    try {
        GoToPage(IDD_NOT_INSTALLED);
    } catch (...) {
        AfxCurrentException()->Delete();
        GoToPage(kEndOfWizard);
    }
}

void DestroyAllPages()
{
    g_pCurrentPage = nullptr;
    while (!g_mapPages.empty()) {
        auto first = g_mapPages.begin();
        CWizardPage* page = first->second;
        g_mapPages.erase(first);
        delete page;
    }
}
