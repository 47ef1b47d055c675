#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/GuiDriver.h"
#include "support/DialogHelpers.h"
#include "framework/WinApp.h"
#include "support/PumpMessages.h"

TEST(SetDialogItemText, SetsFormattedTextCutAt511)
{
    // A parent window with one edit control (id 100).
    HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    ASSERT_NE(CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 100, 20, parent,
                              reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr), nullptr),
              nullptr);
    EXPECT_TRUE(SetDialogItemText(parent, 100, "Please insert diskette %d in drive %s:", 2, "A"));
    EXPECT_EQ(ItemText(parent, 100), "Please insert diskette 2 in drive A:");

    std::string longText(900, 'z');
    EXPECT_TRUE(SetDialogItemText(parent, 100, "%s", longText.c_str()));
    EXPECT_EQ(ItemText(parent, 100), std::string(511, 'z'));

    EXPECT_FALSE(SetDialogItemText(parent, 101, "missing"));
    DestroyWindow(parent);
}

namespace {

int g_probeMessages = 0;
int g_paints = 0;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        ++g_probeMessages;
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        ++g_paints;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A small visible window that counts the WM_APP messages dispatched to it and
// the times it was painted.
HWND CreateProbe()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PumpProbe";
    RegisterClassA(&wc); // fails harmlessly when already registered
    return CreateWindowExA(0, "PumpProbe", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(PumpMessages, DispatchesWaitingMessagesAndKeepsQuit)
{
    HWND probe = CreateProbe();
    ASSERT_NE(probe, nullptr);

    g_probeMessages = 0;
    PostMessageA(probe, WM_APP, 0, 0);
    PostMessageA(probe, WM_APP, 0, 0);
    PumpMessages();
    EXPECT_EQ(g_probeMessages, 2);

    PostQuitMessage(7);
    PumpMessages();
    // The quit request is still there for the message loop, with its code.
    MSG msg;
    bool sawQuit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            sawQuit = true;
            EXPECT_EQ(msg.wParam, 7u);
        }
    }
    EXPECT_TRUE(sawQuit);
    DestroyWindow(probe);
}

namespace {

// An application that takes WM_APP + 1 in its translation step.
class CTranslatingApp : public CWinApp {
public:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message != WM_APP + 1)
            return FALSE;
        ++translated;
        return TRUE;
    }
    LRESULT ProcessWndProcException(CException*, const MSG*) override { return 0; }
    int translated = 0;
};

} // namespace

TEST(PumpMessages, GivesTheApplicationItsTranslationStep)
{
    HWND probe = CreateProbe();
    ASSERT_NE(probe, nullptr);
    CTranslatingApp app;
    g_probeMessages = 0;
    PostMessageA(probe, WM_APP + 1, 0, 0); // translated: never dispatched
    PostMessageA(probe, WM_APP, 0, 0);     // not translated: dispatched
    PumpMessages();
    EXPECT_EQ(app.translated, 1);
    EXPECT_EQ(g_probeMessages, 1);
    DestroyWindow(probe);
}

namespace {

DWORD WINAPI SendFromAnotherThread(LPVOID window)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(static_cast<HWND>(window), WM_APP, 0, 0, SMTO_NORMAL, 10000, &result);
    return 0;
}

} // namespace

TEST(PumpMessages, ServesPaintingAndMessagesSentFromOtherThreads)
{
    // Not only posted messages: whatever a message loop would serve.
    HWND probe = CreateProbe();
    ASSERT_NE(probe, nullptr);
    PumpMessages();
    g_paints = 0;
    InvalidateRect(probe, nullptr, FALSE);
    PumpMessages();
    EXPECT_EQ(g_paints, 1);

    g_probeMessages = 0;
    HANDLE sender = CreateThread(nullptr, 0, SendFromAnotherThread, probe, 0, nullptr);
    ASSERT_NE(sender, nullptr);
    // The sender waits inside SendMessage until this thread serves it.
    for (int i = 0; i < 500 && g_probeMessages == 0; ++i) {
        Sleep(10);
        PumpMessages();
    }
    EXPECT_EQ(g_probeMessages, 1);
    EXPECT_EQ(WaitForSingleObject(sender, 10000), WAIT_OBJECT_0);
    CloseHandle(sender);
    DestroyWindow(probe);
}
