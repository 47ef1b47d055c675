#pragma once
// One run of the real SETUP.EXE, driven from outside as a user would: its
// windows found by caption, their texts read, their buttons clicked, keys
// sent. Every wait has a deadline; a run that overstays is ended
// (TerminateProcess) when the object goes.

#include <windows.h>

#include <string>

class CSetupProcess {
public:
    // Copies SETUP.EXE (and the status library, unless statusLibrary is
    // empty) into a fresh directory; the library's log goes there too.
    CSetupProcess(const std::string& setupExe, const std::string& statusLibrary);
    // Ends the program if it still runs and removes the directory.
    ~CSetupProcess();
    CSetupProcess(const CSetupProcess&) = delete;
    CSetupProcess& operator=(const CSetupProcess&) = delete;

    // Starts the program with these arguments. False when it cannot start.
    bool Start(const std::string& arguments);

    // The visible top-level window of the program with this caption (and a
    // control of id requiredItem, when given, and none of id forbiddenItem);
    // null after timeoutMs.
    HWND WaitForWindow(const char* caption, int requiredItem = 0, int forbiddenItem = 0,
                       DWORD timeoutMs = 20000);
    // The same lookup without waiting: the window as it is now, or null.
    HWND LookForWindow(const char* caption, int requiredItem = 0, int forbiddenItem = 0) const;
    // True when the program has ended within timeoutMs; its exit code in exitCode.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);

    // The child dialog of a page (its button bar), or null.
    static HWND ChildDialog(HWND page);
    static std::string Text(HWND window);
    static std::string ItemText(HWND dialog, int id);
    static bool IsItemEnabled(HWND dialog, int id);
    // Clicks button id of dialog, which must be there, visible and enabled.
    static bool Click(HWND dialog, int id);
    // Sends a key press to dialog's control id (the page's message loop turns
    // it into a dialog command).
    static void Key(HWND dialog, int id, UINT key);

    // What the status library recorded; empty when it was not called.
    std::string StatusLog() const;
    bool StatusLogExists() const;
    DWORD ProcessId() const { return m_process.dwProcessId; }

private:
    std::string m_directory;
    std::string m_exe;
    std::string m_log;
    PROCESS_INFORMATION m_process = {};
};

// A path given on the command line as a Unix path (/...), as the build passes
// it, becomes one on drive Z:, which Wine maps to the Unix root.
std::string WindowsPath(const std::string& path);
