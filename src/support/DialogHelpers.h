#pragma once
// Helpers for dialog controls, by control id.

#include <windows.h>

// Formats with printf rules (512-byte buffer, cut at 511 characters) and sets
// the control's text. False when the dialog has no such control.
bool SetDialogItemText(HWND dialog, int id, const char* format, ...);
// Enables or disables the control; false when the dialog has no such control.
bool EnableDialogItem(HWND dialog, int id, bool enable);
// Sends the font to the control (redrawing it); the system font when font is null.
// False when the dialog has no such control.
bool SetDialogItemFont(HWND dialog, int id, HFONT font);
