#pragma once
// CFrameWnd: a top-level window of the program. The object deletes itself when
// its window is destroyed; WM_CLOSE destroys the window.

#include <string>

#include "framework/Wnd.h"

class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)
public:
    // Creates the window with the position and size of rect; the system's
    // defaults when rect is null. On failure the object is deleted, as at the
    // end of every frame window, and the result is FALSE.
    BOOL Create(const char* className, const char* windowName, DWORD style,
                const RECT* rect = nullptr, HWND parent = nullptr, HMENU menu = nullptr,
                DWORD exStyle = 0);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
};

// The name of a window class with the given class style, cursor, background
// brush and icon, registered on first use (the same name for the same four
// values). Empty when registration failed.
std::string AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr,
                                HBRUSH background = nullptr, HICON icon = nullptr);
