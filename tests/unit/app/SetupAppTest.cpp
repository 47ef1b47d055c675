#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/MainWnd.h"
#include "app/SetupApp.h"
#include "common/GuiDriver.h"
#include "framework/FileException.h"
#include "res/resource.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

// The stand-in status library's directory, relative to this program's (set by CMake).
#ifndef ISMIF32_STUB_DIR
#error ISMIF32_STUB_DIR must name the directory of the test ismif32.dll
#endif

namespace {

std::string ProgramPath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length);
}

std::string ProgramDirectory()
{
    std::string path = ProgramPath();
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// An application started with a command line, as the framework starts it,
// and ended (window, pages, collections) at the end of the test.
class SetupApp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetQuit();
        m_log = ProgramDirectory() + "ismif32-app-test.log";
        DeleteFileA(m_log.c_str());
        SetEnvironmentVariableA("ISMIF32_LOG", m_log.c_str());
        m_stub = ProgramDirectory() + "ismif32.dll";
        DeleteFileA(m_stub.c_str());
    }
    void TearDown() override
    {
        EndWindows();
        if (!m_exited)
            app.ExitInstance();
        DeleteFileA(m_stub.c_str());
        DeleteFileA(m_log.c_str());
        SetEnvironmentVariableA("ISMIF32_LOG", nullptr);
    }

    BOOL Start(const char* commandLine)
    {
        app.m_strCmdLine = commandLine;
        return app.InitInstance();
    }
    void InstallStub()
    {
        std::string stub = ProgramDirectory() + ISMIF32_STUB_DIR "\\ismif32.dll";
        ASSERT_TRUE(CopyFileA(stub.c_str(), m_stub.c_str(), FALSE)) << stub;
    }
    void EndWindows()
    {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->DestroyWindow();
        PumpPending();
        ResetQuit();
    }
    int Exit()
    {
        EndWindows();
        m_exited = true;
        return app.ExitInstance();
    }
    std::string Report() { return ReadFile(m_log); }

    CSetupApp app;
    std::string m_log;
    std::string m_stub;
    bool m_exited = false;
};

} // namespace

TEST_F(SetupApp, StartsWithProfileBesideTheProgramAndTheWelcomePage)
{
    ASSERT_TRUE(Start(""));
    std::string program = ProgramPath();
    std::string withoutExtension = program.substr(0, program.find_last_of('.'));
    EXPECT_EQ(app.m_pProfilePath->GetString(), withoutExtension + ".ini");
    EXPECT_EQ(app.m_pSourcePath->GetString(), ProgramDirectory());
    EXPECT_EQ(app.m_strTitle, "Velmo Screen Saver Setup");
    EXPECT_EQ(app.m_strDefaultGroup, "My PM Group");
    EXPECT_EQ(app.m_strSaverFile, "velmosaver.scr");
    EXPECT_EQ(app.m_strProductName, "Velmo Screen Saver");
    EXPECT_FALSE(app.m_bBatch);
    EXPECT_FALSE(app.m_bIgnoreConditions);
    EXPECT_TRUE(app.m_bSuccess);

    ASSERT_NE(app.m_pDestinations, nullptr);
    EXPECT_NE(app.m_pDestinations->Lookup(-2), nullptr) << "the Windows directory is predefined";
    EXPECT_NE(app.m_pGroups, nullptr);
    EXPECT_NE(app.m_pTargets, nullptr);
    EXPECT_NE(app.m_pFileList, nullptr);
    EXPECT_NE(app.m_pDiskettes, nullptr);

    ASSERT_NE(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(app.m_pMainWnd->IsKindOf(RUNTIME_CLASS(CMainWnd)));
    EXPECT_TRUE(IsZoomed(app.m_pMainWnd->m_hWnd));
    ASSERT_NE(g_pCurrentPage, nullptr);
    EXPECT_EQ(g_pCurrentPage->m_nPageId, IDD_WELCOME);
    EXPECT_EQ(GetWindow(g_pCurrentPage->m_hWnd, GW_OWNER), app.m_pMainWnd->m_hWnd);
    EXPECT_EQ(app.GetDialogBkColor(), RGB(192, 192, 192));
}

TEST_F(SetupApp, DirectorySwitchMovesProfileAndSource)
{
    ASSERT_TRUE(Start("/D:C:\\SETUP"));
    std::string program = ProgramPath();
    std::string title = program.substr(program.find_last_of('\\') + 1);
    title = title.substr(0, title.find_last_of('.'));
    EXPECT_EQ(app.m_pSourcePath->GetString(), "C:\\SETUP\\");
    EXPECT_EQ(app.m_pProfilePath->GetString(), "C:\\SETUP\\" + title + ".ini");
}

TEST_F(SetupApp, SwitchWithoutColonIsNoDirectory)
{
    ASSERT_TRUE(Start("/DC:\\SETUP /b /i"));
    EXPECT_EQ(app.m_pSourcePath->GetString(), ProgramDirectory());
    EXPECT_FALSE(app.m_bBatch) << "/b is not /B";
    EXPECT_FALSE(app.m_bIgnoreConditions) << "/i is not /I";
}

TEST_F(SetupApp, UnattendedAndIgnoreConditions)
{
    ASSERT_TRUE(Start("/BATCH /I"));
    EXPECT_TRUE(app.m_bBatch);
    EXPECT_TRUE(app.IsUnattended());
    EXPECT_TRUE(app.m_bIgnoreConditions);
    EXPECT_TRUE(IsIconic(app.m_pMainWnd->m_hWnd)) << "unattended, the background is minimised";
}

TEST_F(SetupApp, ExitReportsAFailedRunAndFreesEverything)
{
    InstallStub();
    ASSERT_TRUE(Start(""));
    app.m_bSuccess = FALSE; // as a cancel leaves it
    Exit();
    EXPECT_EQ(Report(), "velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Install failed.|0\n");
    EXPECT_TRUE(g_mapPages.empty());
    EXPECT_EQ(app.m_pDestinations, nullptr);
    EXPECT_EQ(app.m_pGroups, nullptr);
    EXPECT_EQ(app.m_pFileList, nullptr);
    EXPECT_EQ(app.m_pProfilePath, nullptr);
    EXPECT_EQ(app.m_pSourcePath, nullptr);
    EXPECT_EQ(GetModuleHandleA("ismif32.dll"), nullptr) << "the library stays loaded";
}

TEST_F(SetupApp, ExitReportsASuccessfulRun)
{
    InstallStub();
    ASSERT_TRUE(Start(""));
    Exit();
    EXPECT_EQ(Report(),
              "velmosaver|Velmo|Velmo Screen Saver|1.0|ENU|<null>|Successful installation.|1\n");
}

TEST_F(SetupApp, ExitWithoutTheStatusLibraryIsSilent)
{
    ASSERT_TRUE(Start(""));
    CWindowWatcher anyBox("VelmoSaver Setup", Press(IDOK));
    EXPECT_EQ(Exit(), 0);
    PumpPending();
    EXPECT_EQ(anyBox.Count(), 0);
    EXPECT_EQ(GetFileAttributesA(m_log.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SetupApp, WindowProcedureExceptionIsReportedAndThePageStays)
{
    ASSERT_TRUE(Start(""));
    CWizardPage* page = g_pCurrentPage;
    std::string headline;
    CWindowWatcher warning("Warning", [&headline](HWND dialog) {
        headline = ItemText(dialog, IDC_WARNING_HEADLINE);
        PressButton(dialog, IDOK);
    });
    CFileException e(CFileException::diskFull);
    MSG msg = {page->m_hWnd, WM_COMMAND, IDOK, 0, 0, {0, 0}};
    EXPECT_EQ(app.ProcessWndProcException(&e, &msg), 0);
    EXPECT_EQ(headline, "Setup cannot continue");
    EXPECT_EQ(g_pCurrentPage, page);
    EXPECT_TRUE(app.m_bSuccess);
}

TEST_F(SetupApp, UnattendedWindowProcedureExceptionEndsTheRunAsFailed)
{
    ASSERT_TRUE(Start("/B"));
    CWindowWatcher warning("Warning", Press(IDOK));
    CFileException e(CFileException::diskFull);
    MSG msg = {g_pCurrentPage->m_hWnd, WM_COMMAND, IDOK, 0, 0, {0, 0}};
    app.ProcessWndProcException(&e, &msg);
    EXPECT_EQ(warning.Count(), 0);
    EXPECT_FALSE(app.m_bSuccess);
    EXPECT_EQ(g_pCurrentPage->m_nPageId, IDD_NOT_INSTALLED);
    // The not-installed page then ends the run by itself.
    EXPECT_TRUE(PumpUntil([] { return QuitPosted(); }));
}

TEST_F(SetupApp, GroupsSelectedBySetupType)
{
    ASSERT_TRUE(Start(""));
    CFileGroup main;
    main.m_strName = "Main";
    main.m_bInType1 = true;
    main.m_bInType2 = true;
    CFileGroup docs;
    docs.m_strName = "Docs";
    docs.m_bInType3 = true;
    app.m_pGroups->SetAt(main);
    app.m_pGroups->SetAt(docs);
    auto selected = [this](const char* name) { return app.m_pGroups->Lookup(name)->m_bSelected; };

    const struct {
        int type;
        bool main, docs;
    } cases[] = {
        {0, false, false}, {1, true, false}, {2, true, false}, {3, false, true}, {4, true, true}};
    for (const auto& c : cases) {
        app.SelectGroupsForType(c.type);
        EXPECT_EQ(selected("Main"), c.main) << "type " << c.type;
        EXPECT_EQ(selected("Docs"), c.docs) << "type " << c.type;
    }

    app.SelectGroupsForType(0);
    app.SetGroupSelected("Docs", TRUE);
    EXPECT_TRUE(selected("Docs"));
    app.SetGroupSelected("MAIN", TRUE); // names are exact
    EXPECT_FALSE(selected("Main"));
    app.SetGroupSelected("Nowhere", TRUE);
    EXPECT_EQ(app.m_pGroups->GetCount(), 2u);
}
