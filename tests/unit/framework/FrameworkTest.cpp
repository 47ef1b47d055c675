#include <gtest/gtest.h>

#include <windows.h>

#include <new>
#include <stdexcept>

#include "common/TestApp.h"
#include "framework/FrameWnd.h"

namespace {

// Thrown by the handler: wParam 0 a CProbeException(lParam), 1 std::runtime_error, 2 bad_alloc.
const UINT WM_THROW = WM_APP + 1;

class CThrowingFrame : public CFrameWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_THROW && wParam == 0)
            throw new CProbeException(CFileException::diskFull, reinterpret_cast<bool*>(lParam));
        if (message == WM_THROW && wParam == 1)
            throw std::runtime_error("not a framework exception");
        if (message == WM_THROW)
            throw std::bad_alloc();
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// InitInstance fails: AfxWinMain must not run the loop, and must still call
// ExitInstance, which sends the failed run's status report.
class CFailingApp : public CTestApp {
public:
    BOOL InitInstance() override { return FALSE; }
    int Run() override
    {
        ADD_FAILURE() << "the message loop runs";
        return 0;
    }
    int ExitInstance() override { return CTestApp::ExitInstance() + 100; }
};

} // namespace

TEST(AppLifecycle, InitInstanceFailingSkipsTheLoopButStillExits)
{
    CFailingApp app;
    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr), SW_SHOW), 100) << "ExitInstance's code";
}

TEST(WindowProcedure, ExceptionsReachTheApplicationAndAreDeleted)
{
    CTestApp app;
    app.m_result = 42;
    bool deleted = false;
    auto* frame = new CThrowingFrame;
    ASSERT_TRUE(frame->Create(AfxRegisterWndClass(0).c_str(), "thrower", WS_OVERLAPPEDWINDOW));
    HWND hWnd = frame->m_hWnd;
    for (WPARAM kind : {0, 1, 2})
        EXPECT_EQ(SendMessageA(hWnd, WM_THROW, kind, reinterpret_cast<LPARAM>(&deleted)), 42);
    EXPECT_EQ(app.m_exceptions,
              (std::vector<std::string>{"CFileException", "CException", "CMemoryException"}))
        << "anything else counts as unknown";
    EXPECT_TRUE(deleted) << "the exception is deleted after the report";
    EXPECT_TRUE(IsWindow(hWnd)) << "the window lives on";
    SendMessageA(hWnd, WM_CLOSE, 0, 0); // a frame window deletes its object
}
