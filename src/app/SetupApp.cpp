#include "app/SetupApp.h"

#include "app/CommandLine.h"
#include "app/MainWnd.h"
#include "errors/XErrorReport.h"
#include "framework/Exception.h"
#include "framework/ResourceString.h"
#include "framework/Wnd.h"
#include "install/DisketteSource.h"
#include "res/StringIds.h"
#include "res/resource.h"
#include "system/StatusReport.h"
#include "wizard/WizardNavigation.h"

IMPLEMENT_DYNAMIC(CSetupApp, CWinApp)

namespace {

// The fixed parts of the status report.
const char kManufacturer[] = "Velmo";
const char kVersion[] = "1.0";
const char kLocale[] = "ENU";

} // namespace

CSetupApp* GetSetupApp()
{
    return static_cast<CSetupApp*>(AfxGetApp());
}

CSetupApp::CSetupApp() = default;

CSetupApp::~CSetupApp()
{
    DeleteSharedObjects();
}

void CSetupApp::CreateSharedObjects()
{
    m_pDestinations = std::make_unique<CDestinationMap>();
    m_pGroups = std::make_unique<CFileGroupMap>();
    m_pTargets = std::make_unique<CShortcutTargetMap>();
    m_pFileList = std::make_unique<CInstallItemList>();
    m_pDiskettes = std::make_unique<CDisketteArray>();

    LoadResourceString(IDS_SETUP_TITLE, m_strTitle);
    LoadResourceString(IDS_DEFAULT_GROUP, m_strDefaultGroup);
    LoadResourceString(IDS_SAVER_FILE, m_strSaverFile);
    LoadResourceString(IDS_PRODUCT_NAME, m_strProductName);

    // A:\SETUP.EXE reads A:\SETUP.ini and finds the diskette files in A:\.
    m_pProfilePath = std::make_unique<CFilePath>();
    m_pProfilePath->SetModuleFileName();
    m_pProfilePath->SetExtension("ini");
    m_pSourcePath = std::make_unique<CFilePath>(CFilePath::locModule);
}

void CSetupApp::ApplyCommandLine()
{
    CCommandLine commandLine(m_strCmdLine.c_str(), '/');
    std::string directory;
    if (commandLine.GetSwitch("D", directory)) {
        m_pSourcePath->SetDirectory(directory.c_str());
        m_pProfilePath->SetDirectory(directory.c_str());
    }
    if (commandLine.HasSwitch("B"))
        m_bBatch = TRUE;
    if (commandLine.HasSwitch("I"))
        m_bIgnoreConditions = TRUE;
}

BOOL CSetupApp::InitInstance()
{
    try {
        CreateSharedObjects();
        SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
        ApplyCommandLine();

        // Create deletes the window object when it fails.
        CMainWnd* mainWnd = new CMainWnd;
        if (!mainWnd->Create()) {
            m_bSuccess = FALSE;
            return FALSE;
        }
        m_pMainWnd = mainWnd;
        GoToPage(IDD_WELCOME, false);
        return TRUE;
    } catch (...) {
        // The wizard cannot start (no memory, a page that cannot be created):
        // say so, and end as a failed run rather than abort.
        CException* e = AfxCurrentException();
        ReportXError(IDS_SETUP_CANNOT_CONTINUE, e);
        e->Delete();
        m_bSuccess = FALSE;
        if (m_pMainWnd != nullptr)
            m_pMainWnd->DestroyWindow();
        return FALSE;
    }
}

int CSetupApp::ExitInstance()
{
    DestroyAllPages();

    CFilePath saverFile;
    saverFile.SetFileName(m_strSaverFile.c_str());
    std::string statusFile;  // "velmosaver"
    saverFile.GetFileTitle(statusFile);
    std::string message = ResourceString(m_bSuccess ? IDS_INSTALL_SUCCESS : IDS_INSTALL_FAILED);
    ReportInstallStatus(statusFile.c_str(), kManufacturer, m_strProductName.c_str(), kVersion,
                        message.c_str(), m_bSuccess != FALSE, kLocale, nullptr);

    DeleteSharedObjects();
    return CWinApp::ExitInstance();
}

void CSetupApp::DeleteSharedObjects()
{
    // In the order of creation. The items point to their groups, which go
    // first, but an item does not look at its group when it is deleted.
    m_pDestinations.reset();
    m_pGroups.reset();
    m_pTargets.reset();
    m_pFileList.reset();
    m_pDiskettes.reset();
    m_pProfilePath.reset();
    m_pSourcePath.reset();
}

LRESULT CSetupApp::ProcessWndProcException(CException* e, const MSG*)
{
    ReportXError(IDS_SETUP_CANNOT_CONTINUE, e);
    if (m_bBatch)
        AbandonWizard();
    return 0;
}

void CSetupApp::SelectGroupsForType(int type)
{
    if (m_pGroups == nullptr)
        return;
    for (const auto& group : *m_pGroups)
        group->m_bSelected = group->IsInSetupType(type);
}

void CSetupApp::SetGroupSelected(const char* name, BOOL selected)
{
    if (m_pGroups == nullptr || name == nullptr)
        return;
    if (CFileGroup* group = m_pGroups->Lookup(name))
        group->m_bSelected = selected != FALSE;
}

bool CSetupApp::EnsureSourceFile(const char* name, int n)
{
    CDisketteSource source(*m_pSourcePath, *m_pDiskettes);
    return source.EnsureSourceFile(name, n);
}
