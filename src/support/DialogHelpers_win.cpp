#include "support/DialogHelpers.h"

#include <cstdarg>
#include <string>

#include "support/StringHelpers.h"

bool SetDialogItemText(HWND dialog, int id, const char* format, ...)
{
    std::string text;
    va_list args;
    va_start(args, format);
    FormatStringV(text, format, args);
    va_end(args);
    return SetDlgItemTextA(dialog, id, text.c_str()) != FALSE;
}

bool EnableDialogItem(HWND dialog, int id, bool enable)
{
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr)
        return false;
    EnableWindow(item, enable ? TRUE : FALSE);
    return true;
}

bool SetDialogItemFont(HWND dialog, int id, HFONT font)
{
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr)
        return false;
    if (font == nullptr)
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    SendMessageA(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(TRUE, 0));
    return true;
}
