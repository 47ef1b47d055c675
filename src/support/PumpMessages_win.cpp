#include <windows.h>

#include "framework/WinApp.h"
#include "support/PumpMessages.h"

void PumpMessages()
{
    // The copy pumps after every 4096-byte block, and the queue is nearly
    // always empty then. A PeekMessageA that finds nothing makes Wine yield
    // the processor, which on a busy machine costs a time slice per block;
    // asking for the queue's state first costs one short call and no yield.
    if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0)
        return;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
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
