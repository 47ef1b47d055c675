#pragma once
// Drives the program's windows from a test running in the same thread. Modal
// message boxes and dialogs run their own message loop: a CWindowWatcher's
// thread timer acts on each new visible top-level window of a caption there.

#include <windows.h>

#include <functional>
#include <set>
#include <string>

class CWindowWatcher {
public:
    using Action = std::function<void(HWND)>;

    // Starts watching for windows with this caption (and, when given, with a
    // child control of that id, to tell apart two windows of one caption).
    CWindowWatcher(const char* caption, Action action, int requiredItem = 0);
    ~CWindowWatcher();
    CWindowWatcher(const CWindowWatcher&) = delete;
    CWindowWatcher& operator=(const CWindowWatcher&) = delete;

    // How many windows the action has run on.
    int Count() const { return static_cast<int>(m_seen.size()); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Poll();

    UINT_PTR m_timer;
    std::string m_caption;
    Action m_action;
    int m_requiredItem;
    std::set<HWND> m_seen; // the windows the action ran on
};

// An action that presses button id of the window (posted, as a click is).
CWindowWatcher::Action Press(int id);

// Posts a key press (down and up) to the window that has the focus in dialog.
void PostKey(HWND dialog, UINT key);
// Posts BN_CLICKED of button id to dialog.
void PressButton(HWND dialog, int id);

std::string ItemText(HWND dialog, int id);

// Dispatches messages (through the application's PreTranslateMessage) until done() (true) or
// timeoutMs passed (false). A WM_QUIT ends the wait too and is remembered (QuitPosted).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Dispatches what is waiting now (and what that posts), then returns.
void PumpPending();
// True when a pump met WM_QUIT since the last ResetQuit.
bool QuitPosted();
void ResetQuit();
