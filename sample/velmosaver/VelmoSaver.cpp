// The Velmo Screen Saver: a slowly drifting blue-to-cyan gradient with the
// product name gliding across it. The product that the setup program installs.
//
// Command line, as Windows passes it to screen savers:
//   /s (or nothing)  run full screen until the mouse or keyboard is used
//   /c               settings: there are none, say so
//   /p HWND          draw a preview inside the given window
//   /a               password change: not supported, ignored
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "SaverScene.h"

namespace {

const char kClassName[] = "VelmoSaverWindow";
const UINT_PTR kTimerId = 1;
const UINT kFrameMillis = 40;

struct SaverState {
    bool preview = false;
    POINT firstMouse = {-1, -1};
    CSaverScene scene;
};

SaverState g_state;

bool MovedFar(LPARAM lParam)
{
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (g_state.firstMouse.x < 0) {
        g_state.firstMouse = p;
        return false;
    }
    return std::abs(p.x - g_state.firstMouse.x) > 4 || std::abs(p.y - g_state.firstMouse.y) > 4;
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    // Draw into a memory bitmap first so the frame appears at once.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    g_state.scene.Draw(memory, client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK SaverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetTimer(hwnd, kTimerId, kFrameMillis, nullptr);
        if (!g_state.preview)
            ShowCursor(FALSE);
        return 0;
    case WM_TIMER:
        g_state.scene.Step();
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_MOUSEMOVE:
        if (!g_state.preview && MovedFar(lParam))
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (!g_state.preview)
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_ACTIVATEAPP:
        if (!g_state.preview && !wParam)
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_SETCURSOR:
        if (!g_state.preview) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        KillTimer(hwnd, kTimerId);
        if (!g_state.preview)
            ShowCursor(TRUE);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The switch letter of the command line (lower case), and where its argument starts.
char SwitchOf(const char* commandLine, const char** rest)
{
    const char* p = commandLine;
    while (*p == ' ' || *p == '\t')
        ++p;
    char letter = 's';
    if (*p == '/' || *p == '-') {
        ++p;
        letter = static_cast<char>(*p | 0x20);
        if (*p != '\0')
            ++p;
    }
    while (*p == ' ' || *p == '\t' || *p == ':')
        ++p;
    *rest = p;
    return letter;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const char* rest = "";
    char letter = SwitchOf(commandLine, &rest);
    if (letter == 'c') {
        MessageBoxA(nullptr, "The Velmo Screen Saver has no settings.", "Velmo Screen Saver",
                    MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (letter == 'a')
        return 0;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = SaverProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc))
        return 1;

    HWND window = nullptr;
    if (letter == 'p') {
        HWND parent = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(rest, nullptr, 10)));
        RECT area;
        if (parent == nullptr || !GetClientRect(parent, &area))
            return 1;
        g_state.preview = true;
        window = CreateWindowExA(0, kClassName, "Velmo Screen Saver", WS_CHILD | WS_VISIBLE, 0, 0,
                                 area.right, area.bottom, parent, nullptr, instance, nullptr);
    } else {
        window = CreateWindowExA(WS_EX_TOPMOST, kClassName, "Velmo Screen Saver", WS_POPUP | WS_VISIBLE,
                                 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                 nullptr, nullptr, instance, nullptr);
    }
    if (window == nullptr)
        return 1;

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
