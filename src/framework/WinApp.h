#pragma once
// CWinApp: the one application object of a program.
//
// The program defines exactly one object of a class derived from CWinApp, as a
// static; its constructor makes it the current application (AfxGetApp). The
// program's WinMain calls AfxWinMain, which then:
//
//   1. stores the instance, the command-line text and the show flag;
//   2. calls InitInstance once;
//   3. if that returned TRUE, runs the message loop (Run) until the main window
//      is destroyed (its destruction posts WM_QUIT);
//   4. calls ExitInstance in every case, and returns its result as the
//      program's exit code.
//
// ProcessWndProcException is called for every exception that escapes a window
// or dialog procedure.

#include <windows.h>

#include <string>

#include "framework/GdiObjects.h"
#include "framework/RuntimeClass.h"

class CException;
class CWnd;

class CWinApp : public CObject {
    DECLARE_DYNAMIC(CWinApp)
public:
    // appName null: the title is string 57344 of the program's string table.
    explicit CWinApp(const char* appName = nullptr);
    // The current application becomes none.
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's start-up; FALSE skips the message loop.
    virtual BOOL InitInstance();
    // The message loop: returns when WM_QUIT arrives, with its exit code.
    virtual int Run();
    // The program's shutdown; the base returns the message loop's exit code
    // (0 when the loop did not run).
    virtual int ExitInstance();
    // Gives the window under the message (and its parents) a chance to translate it.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // For an exception that escaped a window procedure while msg was handled;
    // returns the message's result. The caller deletes the exception.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* msg) = 0;

    // Dialogs paint their face and their static controls with bkColour and
    // write static text in textColour.
    void SetDialogBkColor(COLORREF bkColour = RGB(192, 192, 192),
                          COLORREF textColour = RGB(0, 0, 0));
    // The dialog face brush, or null when SetDialogBkColor was not called.
    HBRUSH GetDialogBkBrush() const { return m_dialogBrush; }
    COLORREF GetDialogBkColor() const { return m_dialogBkColour; }
    COLORREF GetDialogTextColor() const { return m_dialogTextColour; }

    HINSTANCE m_hInstance = nullptr;
    // The command line after the program's name.
    std::string m_strCmdLine;
    int m_nCmdShow = SW_SHOWNORMAL;
    // The title of the program's message boxes.
    std::string m_strAppName;
    // Destroying this window ends the message loop.
    CWnd* m_pMainWnd = nullptr;

private:
    int m_nExitCode = 0;
    CBrush m_dialogBrush;
    COLORREF m_dialogBkColour = 0;
    COLORREF m_dialogTextColour = 0;
};

// The current application object; null when there is none.
CWinApp* AfxGetApp();
// The current application's main window; null when there is none.
CWnd* AfxGetMainWnd();

// The text after the program's name in a full command line (GetCommandLineA):
// the name is taken quoted or up to the first blank, blanks after it skipped.
std::string AfxCommandLineArguments(const char* fullCommandLine);

// Runs the current application as described above.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
