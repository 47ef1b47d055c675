#pragma once
// Serves every message waiting in the calling thread's queue, so that windows
// stay responsive during long work. Each message goes through the current
// application's PreTranslateMessage first, as in the message loop, so modeless
// dialogs keep their keyboard. A WM_QUIT met there is posted again (same exit
// code) and the pump returns at once, leaving it to the message loop.
void PumpMessages();
