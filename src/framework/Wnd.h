#pragma once
// CWnd: a C++ object attached to one window.
//
// Every window the framework creates (frame windows, modal and modeless
// dialogs) is subclassed at its creation, before its first message, so that
// all of its messages reach the object's virtual WindowProc, which dispatches
// them to named handlers. Whatever escapes a handler is caught at the window
// procedure and handed to the application's ProcessWndProcException: no C++
// exception crosses a Win32 callback.

#include <windows.h>

#include "framework/RuntimeClass.h"

class CException;

class CWnd : public CObject {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    // Destroys the window if it still exists.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object attached to hWnd, or null for a window the framework did not create.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Creates the window (CreateWindowExA) with this object attached from its
    // first message on. False when the system refused or WM_CREATE failed;
    // attached (when given) then tells whether a window existed for a while,
    // so that its destruction has run PostNcDestroy.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x,
                  int y, int width, int height, HWND parent, HMENU menu, bool* attached = nullptr);

    // Destroys the window; the object stays (unless its PostNcDestroy deletes it).
    BOOL DestroyWindow();

    // Centres the window over alternateOwner, or over its owner (its parent for a
    // child). When that window is missing, hidden or minimised the window is
    // centred in the screen's work area.
    void CenterWindow(HWND alternateOwner = nullptr);

    // Lets the message loop translate a message before it is dispatched (dialog
    // keys for modeless dialogs); true when it was handled and must not be
    // dispatched again.
    virtual BOOL PreTranslateMessage(MSG* msg);

    HWND m_hWnd = nullptr;

protected:
    // Dispatches one message; the base handles WM_COMMAND (OnCommand) and
    // WM_NCDESTROY, and passes everything else to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The processing the window had before the framework subclassed it.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // True when the command was handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Called last, after the window is gone and the object detached from it.
    virtual void PostNcDestroy() {}

    // Starts attaching this object to the next window the calling thread creates;
    // EndCreateHook ends it (and returns whether the attachment happened).
    void BeginCreateHook();
    static bool EndCreateHook();

private:
    friend LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend LRESULT CALLBACK AfxCbtHook(int code, WPARAM wParam, LPARAM lParam);

    void Attach(HWND hWnd);
    void OnNcDestroy(WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
};

// The window procedure of every framework window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// For catch (...) blocks at a Win32 callback: the exception being handled as a
// framework exception (a std::bad_alloc becomes a CMemoryException, anything
// else a plain CException). A framework exception is returned as it was thrown.
CException* AfxCurrentException();

// Hands an exception that escaped a handler to the application (and deletes it).
// Returns the message result the application chose.
LRESULT AfxProcessWndProcException(CException* e, const MSG& msg);
