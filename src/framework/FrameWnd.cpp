#include "framework/FrameWnd.h"

#include <cstdio>

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

BOOL CFrameWnd::Create(const char* className, const char* windowName, DWORD style, const RECT* rect,
                       HWND parent, HMENU menu, DWORD exStyle)
{
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (rect != nullptr) {
        x = rect->left;
        y = rect->top;
        width = rect->right - rect->left;
        height = rect->bottom - rect->top;
    }
    bool attached = false;
    if (CreateEx(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                 &attached))
        return TRUE;
    // A window that existed has deleted this object on its way out.
    if (!attached)
        delete this;
    return FALSE;
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        DestroyWindow();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

std::string AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    char name[64];
    std::snprintf(name, sizeof name, "Afx:%x:%lx:%lx:%lx", classStyle,
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(cursor)),
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(background)),
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(icon)));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, name, &existing))
        return name;
    // The framework subclasses each window at its creation; the class itself
    // only needs the system's default processing.
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (RegisterClassA(&wc) == 0)
        return std::string();
    return name;
}
