#include <gtest/gtest.h>

#include <windows.h>

#include <new>
#include <stdexcept>
#include <string>

#include "common/TestApp.h"
#include "framework/FileException.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"

namespace {

// A file exception that says when it is deleted.
class CProbeException : public CFileException {
public:
    explicit CProbeException(bool* deleted) : CFileException(accessDenied), m_pDeleted(deleted) {}
    ~CProbeException() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

const UINT WM_THROW_FRAMEWORK = WM_APP + 1;
const UINT WM_THROW_STD = WM_APP + 2;
const UINT WM_THROW_MEMORY = WM_APP + 3;

// Throws from its handlers, as a page's handler might.
class CThrowingFrame : public CFrameWnd {
public:
    bool m_exceptionDeleted = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_THROW_FRAMEWORK:
            throw new CProbeException(&m_exceptionDeleted);
        case WM_THROW_STD:
            throw std::runtime_error("not a framework exception");
        case WM_THROW_MEMORY:
            throw std::bad_alloc();
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {} // owned by the test
};

class CDeleteProbeFrame : public CFrameWnd {
public:
    explicit CDeleteProbeFrame(bool* deleted) : m_pDeleted(deleted) {}
    ~CDeleteProbeFrame() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

std::string FrameClass()
{
    return AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursorA(nullptr, IDC_ARROW));
}

} // namespace

TEST(WindowProcedure, ExceptionsReachTheApplicationAndAreDeleted)
{
    CTestApp app;
    app.m_result = 42;
    CThrowingFrame frame;
    ASSERT_TRUE(frame.Create(FrameClass().c_str(), "thrower", WS_OVERLAPPEDWINDOW));

    EXPECT_EQ(SendMessageA(frame.m_hWnd, WM_THROW_FRAMEWORK, 0, 0), 42);
    EXPECT_EQ(SendMessageA(frame.m_hWnd, WM_THROW_STD, 0, 0), 42);
    EXPECT_EQ(SendMessageA(frame.m_hWnd, WM_THROW_MEMORY, 0, 0), 42);

    ASSERT_EQ(app.m_exceptions.size(), 3u);
    EXPECT_EQ(app.m_exceptions[0], "CFileException");
    EXPECT_EQ(app.m_exceptions[1], "CException") << "anything else counts as unknown";
    EXPECT_EQ(app.m_exceptions[2], "CMemoryException");
    EXPECT_EQ(app.m_messages[0], WM_THROW_FRAMEWORK);
    EXPECT_TRUE(frame.m_exceptionDeleted) << "the exception is deleted after the report";
    EXPECT_TRUE(IsWindow(frame.m_hWnd)) << "the window lives on";
    frame.DestroyWindow();
    EXPECT_EQ(frame.m_hWnd, nullptr);
}

TEST(WindowProcedure, ObjectIsAttachedFromCreationToDestruction)
{
    CTestApp app;
    bool deleted = false;
    auto* frame = new CDeleteProbeFrame(&deleted);
    ASSERT_TRUE(frame->Create(FrameClass().c_str(), "attached", WS_OVERLAPPEDWINDOW));
    HWND hWnd = frame->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), frame);
    EXPECT_EQ(CWnd::FromHandlePermanent(GetDesktopWindow()), nullptr);

    // WM_CLOSE destroys a frame window, which deletes its object.
    SendMessageA(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(WindowProcedure, MainWindowDestructionPostsQuit)
{
    CTestApp app;
    bool deleted = false;
    auto* frame = new CDeleteProbeFrame(&deleted);
    ASSERT_TRUE(frame->Create(FrameClass().c_str(), "main", WS_OVERLAPPEDWINDOW));
    app.m_pMainWnd = frame;
    frame->DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        quit = quit || msg.message == WM_QUIT;
    EXPECT_TRUE(quit);
}

TEST(FrameWindow, FailedCreationDeletesTheObject)
{
    CTestApp app;
    bool deleted = false;
    auto* frame = new CDeleteProbeFrame(&deleted);
    EXPECT_FALSE(frame->Create("NoSuchWindowClass", "never", WS_OVERLAPPEDWINDOW));
    EXPECT_TRUE(deleted);
}

TEST(CenterWindow, OverItsOwnerOrTheWorkArea)
{
    CTestApp app;
    CThrowingFrame owner;
    RECT ownerRect = {100, 50, 700, 450};
    ASSERT_TRUE(
        owner.Create(FrameClass().c_str(), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, &ownerRect));
    CThrowingFrame popup;
    RECT popupRect = {0, 0, 200, 100};
    ASSERT_TRUE(popup.Create(FrameClass().c_str(), "popup", WS_POPUP | WS_VISIBLE, &popupRect,
                             owner.m_hWnd));

    popup.CenterWindow();
    RECT rc;
    GetWindowRect(popup.m_hWnd, &rc);
    EXPECT_EQ((rc.left + rc.right) / 2, 400);
    EXPECT_EQ((rc.top + rc.bottom) / 2, 250);

    // A minimised owner is no place to centre over.
    ShowWindow(owner.m_hWnd, SW_MINIMIZE);
    popup.CenterWindow();
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(popup.m_hWnd, &rc);
    EXPECT_EQ((rc.left + rc.right) / 2, (work.left + work.right) / 2);
    EXPECT_EQ((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2);

    popup.DestroyWindow();
    owner.DestroyWindow();
}
