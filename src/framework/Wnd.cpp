#include "framework/Wnd.h"

#include <map>
#include <new>

#include "framework/Exception.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CWnd, CObject)

namespace {

// Windows created by the framework and their objects. One thread runs every
// window of the program, so the map needs no lock.
std::map<HWND, CWnd*>& HandleMap()
{
    static std::map<HWND, CWnd*> map;
    return map;
}

// The object waiting for the next window the thread creates, and the hook
// that attaches it.
CWnd* g_pWndInit = nullptr;
HHOOK g_hCreateHook = nullptr;

bool IsImeWindow(HWND hWnd)
{
    // The system may create input-method windows of its own while one of ours
    // is being created; they must not take our object.
    char className[32] = "";
    GetClassNameA(hWnd, className, sizeof className);
    return lstrcmpiA(className, "IME") == 0 || lstrcmpiA(className, "MSCTFIME UI") == 0;
}

} // namespace

LRESULT CALLBACK AfxCbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_pWndInit != nullptr) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(hWnd)) {
            CWnd* pWnd = g_pWndInit;
            g_pWndInit = nullptr;
            try {
                pWnd->Attach(hWnd);
            } catch (...) {
                // Not attached, the window cannot work: creation is refused.
                MSG msg = {hWnd, WM_NCCREATE, 0, 0, 0, {0, 0}};
                AfxProcessWndProcException(AfxCurrentException(), msg);
                return 1;
            }
            pWnd->m_pfnSuper = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        }
    }
    return CallNextHookEx(g_hCreateHook, code, wParam, lParam);
}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
    // A window the system refused to destroy keeps no pointer to this object.
    if (m_hWnd != nullptr) {
        HandleMap().erase(m_hWnd);
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = HandleMap().find(hWnd);
    return it != HandleMap().end() ? it->second : nullptr;
}

void CWnd::Attach(HWND hWnd)
{
    HandleMap()[hWnd] = this;
    m_hWnd = hWnd;
}

void CWnd::BeginCreateHook()
{
    if (g_hCreateHook == nullptr)
        g_hCreateHook = SetWindowsHookExA(WH_CBT, &AfxCbtHook, nullptr, GetCurrentThreadId());
    g_pWndInit = this;
}

bool CWnd::EndCreateHook()
{
    // A window created inside the creation of another (a child dialog made in
    // WM_CREATE) has already ended the hook; that is harmless.
    if (g_hCreateHook != nullptr)
        UnhookWindowsHookEx(g_hCreateHook);
    g_hCreateHook = nullptr;
    bool attached = g_pWndInit == nullptr;
    g_pWndInit = nullptr;
    return attached;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menu, bool* attached)
{
    BeginCreateHook();
    HWND hWnd = CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent,
                                menu, GetModuleHandleA(nullptr), nullptr);
    bool wasAttached = EndCreateHook();
    if (attached != nullptr)
        *attached = wasAttached;
    // On failure after attachment the object may be gone (PostNcDestroy).
    return hWnd != nullptr && FromHandlePermanent(hWnd) == this;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::CenterWindow(HWND alternateOwner)
{
    bool child = (GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD) != 0;
    HWND center = alternateOwner;
    if (center == nullptr)
        center = child ? GetParent(m_hWnd) : GetWindow(m_hWnd, GW_OWNER);
    if (center != nullptr) {
        LONG style = GetWindowLongA(center, GWL_STYLE);
        if ((style & WS_VISIBLE) == 0 || (style & WS_MINIMIZE) != 0)
            center = nullptr;
    }

    RECT area; // where the window may go
    RECT over; // what it is centred over
    if (child) {
        HWND parent = GetParent(m_hWnd);
        GetClientRect(parent, &area);
        over = area;
        if (center != nullptr && center != parent) {
            GetClientRect(center, &over);
            MapWindowPoints(center, parent, reinterpret_cast<POINT*>(&over), 2);
        }
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        over = area;
        if (center != nullptr)
            GetWindowRect(center, &over);
    }

    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    int left = (over.left + over.right) / 2 - width / 2;
    int top = (over.top + over.bottom) / 2 - height / 2;
    // Keep the window inside the area, its top-left corner first.
    if (left + width > area.right)
        left = area.right - width;
    if (left < area.left)
        left = area.left;
    if (top + height > area.bottom)
        top = area.bottom - height;
    if (top < area.top)
        top = area.top;
    SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NCDESTROY:
        OnNcDestroy(wParam, lParam);
        return 0;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM, LPARAM)
{
    return FALSE;
}

void CWnd::OnNcDestroy(WPARAM wParam, LPARAM lParam)
{
    DefWindowProc(WM_NCDESTROY, wParam, lParam);
    HandleMap().erase(m_hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    // The main window's end is the end of the message loop.
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    PostNcDestroy();
}

CException* AfxCurrentException()
{
    try {
        throw;
    } catch (CException* e) {
        return e;
    } catch (const std::bad_alloc&) {
        return new CMemoryException;
    } catch (...) {
        return new CException;
    }
}

LRESULT AfxProcessWndProcException(CException* e, const MSG& msg)
{
    LRESULT result = 0;
    CWinApp* app = AfxGetApp();
    if (app != nullptr) {
        try {
            result = app->ProcessWndProcException(e, &msg);
        } catch (...) {
            // A report that fails in turn cannot be reported again.
            CException* nested = AfxCurrentException();
            if (nested != e)
                nested->Delete();
        }
    }
    e->Delete();
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    // The object may be deleted by the handler (PostNcDestroy): nothing here
    // touches it after WindowProc returns.
    try {
        return pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        MSG msg = {hWnd, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {0, 0}};
        return AfxProcessWndProcException(AfxCurrentException(), msg);
    }
}
