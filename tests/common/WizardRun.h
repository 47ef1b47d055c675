#pragma once
// The real wizard run from a test: an application object started with /D:
// naming a scratch directory, its messages served as the application's loop
// serves them (GuiDriver); at the end the program shuts down as it would.

#include <memory>
#include <string>

#include "app/SetupApp.h"
#include "common/ScratchDirectory.h"
#include "wizard/WizardPage.h"

class CWizardRun {
public:
    CWizardRun() = default;
    ~CWizardRun();
    CWizardRun(const CWizardRun&) = delete;
    CWizardRun& operator=(const CWizardRun&) = delete;

    // Writes the profile where /D: makes the program look: its own file title
    // with extension "ini".
    void WriteProfile(const std::string& text) const;
    // InitInstance with "/D:<directory> " + switches; true once the welcome
    // page shows, or at once under /B (the run goes on by itself while
    // messages are served).
    bool Start(const std::string& switches = std::string());
    CSetupApp& App() { return *m_app; }
    // The directory /D: names: the profile's and the diskette's.
    const CScratchDirectory& Directory() const { return m_directory; }

private:
    CScratchDirectory m_directory;
    std::unique_ptr<CSetupApp> m_app;
};

// The page registered under id, or null.
CWizardPage* FindPage(int id);
bool IsPageVisible(int id);
// Serves messages until the wizard shows page id, then what is left queued.
bool PumpUntilPage(int id);
// Clicks a button (IDC_NEXT, IDC_BACK, IDCANCEL) of the page's button bar.
void PressBar(int pageId, int buttonId);
