#include "GuiDriver.h"

#include <vector>

#include "framework/WinApp.h"

namespace {

std::vector<CWindowWatcher*> g_watchers;
UINT_PTR g_timer = 0;
bool g_quitPosted = false;

struct FindData {
    const char* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    auto* data = reinterpret_cast<FindData*>(lParam);
    if (IsWindowVisible(window) && WindowText(window) == data->caption)
        data->found.push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadWindows(const char* caption)
{
    FindData data{caption, {}};
    EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

} // namespace

CWindowWatcher::CWindowWatcher(const char* caption, Action action, int requiredItem)
    : m_caption(caption), m_action(std::move(action)), m_requiredItem(requiredItem)
{
    g_watchers.push_back(this);
    if (g_timer == 0)
        g_timer = SetTimer(nullptr, 0, 20, &CWindowWatcher::OnTimer);
}

CWindowWatcher::~CWindowWatcher()
{
    for (auto it = g_watchers.begin(); it != g_watchers.end(); ++it) {
        if (*it == this) {
            g_watchers.erase(it);
            break;
        }
    }
    if (g_watchers.empty() && g_timer != 0) {
        KillTimer(nullptr, g_timer);
        g_timer = 0;
    }
}

void CALLBACK CWindowWatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    // An action may start a watcher or end one: work on a copy.
    std::vector<CWindowWatcher*> watchers = g_watchers;
    for (CWindowWatcher* watcher : watchers) {
        bool alive = false;
        for (CWindowWatcher* w : g_watchers)
            alive = alive || w == watcher;
        if (alive)
            watcher->Poll();
    }
}

void CWindowWatcher::Poll()
{
    for (HWND window : ThreadWindows(m_caption.c_str())) {
        if (m_seen.count(window) != 0)
            continue;
        if (m_requiredItem != 0 && GetDlgItem(window, m_requiredItem) == nullptr)
            continue;
        m_seen.insert(window);
        ++m_count;
        m_action(window);
    }
}

CWindowWatcher::Action Press(int id)
{
    return [id](HWND window) { PressButton(window, id); };
}

void PressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostKey(HWND dialog, UINT key)
{
    HWND focus = GetFocus();
    HWND target =
        (focus != nullptr && (focus == dialog || IsChild(dialog, focus))) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

std::string WindowText(HWND window)
{
    char buffer[2048] = "";
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string ItemText(HWND dialog, int id)
{
    char buffer[2048] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            g_quitPosted = true;
            return done();
        }
        CWinApp* app = AfxGetApp();
        if (app == nullptr || !app->PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void PumpPending()
{
    // Two rounds: handlers often post one more message.
    for (int round = 0; round < 2; ++round) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                g_quitPosted = true;
                continue;
            }
            CWinApp* app = AfxGetApp();
            if (app == nullptr || !app->PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
}

bool QuitPosted()
{
    return g_quitPosted;
}

void ResetQuit()
{
    g_quitPosted = false;
}

HWND FindThreadWindow(const char* caption)
{
    std::vector<HWND> found = ThreadWindows(caption);
    return found.empty() ? nullptr : found.front();
}
