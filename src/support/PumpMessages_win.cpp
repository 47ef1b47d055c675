#include <windows.h>

#include "framework/WinApp.h"
#include "support/PumpMessages.h"

void PumpMessages()
{
    MSG msg;
    // No yield when the queue is empty: the copy pumps after every block, and
    // under Wine each yield hands the processor away for a time slice.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        // As in the message loop: a modeless page gets its dialog keys (Esc
        // cancels, Tab moves) also while a long page action is pumping.
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->PreTranslateMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
