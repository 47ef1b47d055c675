#pragma once
// CSetupApp: the setup program's one application object. It holds what the
// pages and the installation engine share: four texts, the five collections
// of the install profile, the profile's path, the source directory and the
// run-state flags.
//
// InitInstance builds all of it, applies the command line (/D:dir, /B, /I),
// creates the background window and shows the welcome page. ExitInstance
// deletes the pages, reports the outcome to the status library and frees
// what InitInstance built.

#include <memory>
#include <string>

#include "framework/WinApp.h"
#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroupMap.h"
#include "profile/InstallItemList.h"
#include "profile/ShortcutTargetMap.h"
#include "support/FilePath.h"

class CSetupApp : public CWinApp {
    DECLARE_DYNAMIC(CSetupApp)
public:
    CSetupApp();
    ~CSetupApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    // Reports the exception ("Setup cannot continue"); the page that was
    // showing stays. Unattended, nobody could go on from there: the run then
    // ends as failed.
    LRESULT ProcessWndProcException(CException* e, const MSG* msg) override;

    // Selects the groups of setup type 0 (none) to 4 (all); 1 to 3 by each
    // group's own flags.
    void SelectGroupsForType(int type);
    // Sets the selected flag of the group with exactly this name, if there is one.
    void SetGroupSelected(const char* name, BOOL selected);
    // True when file name of diskette n can now be opened in the source
    // directory: found there, found in the numbered directory of diskette n
    // (which becomes the source directory), or brought by the user in answer
    // to the Insert Diskette prompt. False when the user cancelled.
    bool EnsureSourceFile(const char* name, int n);

    std::string m_strTitle;
    std::string m_strDefaultGroup;
    std::string m_strProductName;
    std::string m_strSaverFile;
    std::unique_ptr<CDestinationMap> m_pDestinations;
    std::unique_ptr<CFileGroupMap> m_pGroups;
    std::unique_ptr<CShortcutTargetMap> m_pTargets;
    std::unique_ptr<CInstallItemList> m_pFileList;
    std::unique_ptr<CDisketteArray> m_pDiskettes;
    std::unique_ptr<CFilePath> m_pProfilePath;
    std::unique_ptr<CFilePath> m_pSourcePath;
    // The outcome: cleared by every cancel and failure, never set again.
    BOOL m_bSuccess = TRUE;
    BOOL m_bBatch = FALSE;
    BOOL m_bIgnoreConditions = FALSE;

protected:
    // Builds the collections, texts and paths (steps before the command line).
    void CreateSharedObjects();
    void ApplyCommandLine();
    // Frees the collections, then the paths.
    void DeleteSharedObjects();
};

// The current application object.
CSetupApp* GetSetupApp();
