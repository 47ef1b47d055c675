#pragma once
// Serves every message waiting in the calling thread's queue, so that windows
// stay responsive during long work. A WM_QUIT met there is posted again (same
// exit code) and the pump returns at once, leaving it to the message loop.
void PumpMessages();
