#include "GuiDriver.h"

#include <map>
#include <vector>

#include "framework/WinApp.h"

namespace {

bool g_quitPosted = false;

// The visible top-level windows of this thread with this caption.
std::vector<HWND> ThreadWindows(const char* caption)
{
    std::vector<HWND> found;
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, caption); window != nullptr;
         window = FindWindowExA(nullptr, window, nullptr, caption)) {
        if (IsWindowVisible(window) &&
            GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
            found.push_back(window);
    }
    return found;
}

// Hands a message to the application's filter (dialog keys) first, as its loop does.
void Dispatch(MSG& msg)
{
    if (msg.message == WM_QUIT) {
        g_quitPosted = true;
        return;
    }
    CWinApp* app = AfxGetApp();
    if (app == nullptr || !app->PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Each watcher polls on a thread timer of its own.
std::map<UINT_PTR, CWindowWatcher*> g_watchers;

} // namespace

CWindowWatcher::CWindowWatcher(const char* caption, Action action, int requiredItem)
    : m_timer(SetTimer(nullptr, 0, 20, &CWindowWatcher::OnTimer)), m_caption(caption),
      m_action(std::move(action)), m_requiredItem(requiredItem)
{
    g_watchers[m_timer] = this;
}

CWindowWatcher::~CWindowWatcher()
{
    KillTimer(nullptr, m_timer);
    g_watchers.erase(m_timer);
}

void CALLBACK CWindowWatcher::OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    auto it = g_watchers.find(timer);
    if (it != g_watchers.end())
        it->second->Poll();
}

void CWindowWatcher::Poll()
{
    for (HWND window : ThreadWindows(m_caption.c_str())) {
        if ((m_requiredItem == 0 || GetDlgItem(window, m_requiredItem) != nullptr) &&
            m_seen.insert(window).second)
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

std::string ItemText(HWND dialog, int id)
{
    char buffer[2048] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        Dispatch(msg);
        if (msg.message == WM_QUIT)
            return done();
    }
    return true;
}

void PumpPending()
{
    // Two rounds: handlers often post one more message.
    MSG msg;
    for (int round = 0; round < 2; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            Dispatch(msg);
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
