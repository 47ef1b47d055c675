#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/GuiDriver.h"
#include "common/TestApp.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"

namespace {

// A frame window that says when its object is deleted.
class CProbeFrame : public CFrameWnd {
public:
    explicit CProbeFrame(bool* deleted) : m_pDeleted(deleted) {}
    ~CProbeFrame() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

std::string FrameClass()
{
    return AfxRegisterWndClass(0, LoadCursorA(nullptr, IDC_ARROW));
}

// Counts the calls AfxWinMain makes; InitInstance as told.
class CCountingApp : public CTestApp {
public:
    BOOL InitInstance() override
    {
        ++m_initCalls;
        if (m_createMainWindow) {
            auto* frame = new CProbeFrame(&m_frameDeleted);
            if (!frame->Create(FrameClass().c_str(), "main", WS_OVERLAPPEDWINDOW))
                return FALSE;
            m_pMainWnd = frame;
            // The user closes the window once the loop runs.
            PostMessageA(frame->m_hWnd, WM_CLOSE, 0, 0);
        }
        return m_initResult;
    }
    int Run() override
    {
        ++m_runCalls;
        return CTestApp::Run();
    }
    int ExitInstance() override
    {
        ++m_exitCalls;
        m_mainWndAtExit = m_pMainWnd;
        return CTestApp::ExitInstance() + 100;
    }

    BOOL m_initResult = TRUE;
    bool m_createMainWindow = false;
    bool m_frameDeleted = false;
    int m_initCalls = 0;
    int m_runCalls = 0;
    int m_exitCalls = 0;
    CWnd* m_mainWndAtExit = reinterpret_cast<CWnd*>(1);
};

} // namespace

TEST(AppLifecycle, InitInstanceFailingSkipsTheLoopButStillExits)
{
    CCountingApp app;
    app.m_initResult = FALSE;
    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr), SW_SHOW), 100);
    EXPECT_EQ(app.m_initCalls, 1);
    EXPECT_EQ(app.m_runCalls, 0);
    EXPECT_EQ(app.m_exitCalls, 1);
}

TEST(AppLifecycle, DestroyingTheMainWindowEndsTheLoop)
{
    CCountingApp app;
    app.m_createMainWindow = true;
    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr), SW_SHOW), 100);
    EXPECT_EQ(app.m_runCalls, 1);
    EXPECT_EQ(app.m_exitCalls, 1);
    EXPECT_EQ(app.m_mainWndAtExit, nullptr) << "the main window pointer outlived its window";
    EXPECT_TRUE(app.m_frameDeleted) << "a frame window deletes its object with its window";
}

TEST(AppLifecycle, CurrentApplicationAndTitle)
{
    {
        CTestApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(app.m_strAppName, "VelmoSaver Setup");
        CTestApp named("Other");
        EXPECT_EQ(named.m_strAppName, "Other");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(AppLifecycle, CommandLineArgumentsFollowTheProgramName)
{
    EXPECT_EQ(AfxCommandLineArguments("A:\\SETUP.EXE /B /D:C:\\X"), "/B /D:C:\\X");
    EXPECT_EQ(AfxCommandLineArguments("\"C:\\Program Files\\SETUP.EXE\"  /I"), "/I");
    EXPECT_EQ(AfxCommandLineArguments("SETUP.EXE"), "");
    EXPECT_EQ(AfxCommandLineArguments("\"unterminated"), "");
    EXPECT_EQ(AfxCommandLineArguments(nullptr), "");
}

TEST(MessageBoxes, CarryTheApplicationTitleAndReturnTheAnswer)
{
    CTestApp app;
    std::string text;
    CWindowWatcher watcher("VelmoSaver Setup", [&text](HWND box) {
        text = ItemText(box, 0xFFFF); // the message box's text control
        PressButton(box, IDNO);
    });
    EXPECT_EQ(AfxMessageBox("Go on?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(watcher.Count(), 1);
    EXPECT_EQ(text, "Go on?");

    // By string id: string 5 is the question the wizard asks.
    EXPECT_EQ(AfxMessageBox(5, MB_YESNO), IDNO);
    EXPECT_EQ(text,
              "Velmo Screen Saver installation not complete. Do you really want to exit Setup?");
}
