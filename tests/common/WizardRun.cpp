#include "common/WizardRun.h"

#include <windows.h>

#include "common/GuiDriver.h"
#include "res/resource.h"
#include "wizard/WizardButtonBar.h"
#include "wizard/WizardNavigation.h"

CWizardRun::~CWizardRun()
{
    if (m_app == nullptr)
        return;
    // As the program ends: the main window goes, then ExitInstance.
    if (CWnd* mainWnd = AfxGetMainWnd())
        mainWnd->DestroyWindow();
    PumpPending();
    m_app->ExitInstance();
    ResetQuit();
}

void CWizardRun::WriteProfile(const std::string& text) const
{
    char module[MAX_PATH] = "";
    std::string name(module, GetModuleFileNameA(nullptr, module, sizeof module));
    name = name.substr(name.find_last_of('\\') + 1);
    m_directory.WriteFile(name.substr(0, name.find_last_of('.')) + ".ini", text);
}

bool CWizardRun::Start(const std::string& switches)
{
    ResetQuit();
    m_app = std::make_unique<CSetupApp>();
    m_app->m_strCmdLine = "/D:" + m_directory.Path() + " " + switches;
    if (!m_app->InitInstance())
        return false;
    return m_app->m_bBatch || PumpUntilPage(IDD_WELCOME);
}

CWizardPage* FindPage(int id)
{
    auto it = g_mapPages.find(id);
    return it != g_mapPages.end() ? it->second : nullptr;
}

bool IsPageVisible(int id)
{
    CWizardPage* page = FindPage(id);
    return page != nullptr && page->m_hWnd != nullptr && IsWindowVisible(page->m_hWnd);
}

bool PumpUntilPage(int id)
{
    auto shown = [id] { return g_pCurrentPage == FindPage(id) && IsPageVisible(id); };
    PumpUntil(shown, 10000);
    PumpPending();
    return shown();
}

void PressBar(int pageId, int buttonId)
{
    PressButton(FindPage(pageId)->m_pButtonBar->m_hWnd, buttonId);
}
