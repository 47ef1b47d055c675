#pragma once
// The end-to-end harness: one run of the real SETUP.EXE under Wine, driven as
// a user would drive it (windows found by caption, texts read, buttons
// clicked), and the page and dialog helpers every row uses. Every wait has a
// deadline, and a SETUP.EXE that overstays is ended.
//
// Each row has a world of its own: its run directory (%TEMP%\velmo-ROW\, also
// the TEMP of the programs it starts) and its destination (C:\velmo-ROW\),
// named after the row rather than a process id (Wine reuses those), emptied
// when the row starts and when it ends. What the prefix has only once (drive
// A:, the pending replacements that wineboot -r performs, the Program Manager
// service, the user's screen-saver value, the mounted disk) is taken under a
// CTest resource lock by the rows that use it (CMakeLists.txt).
#include <windows.h>

#include <string>
#include <vector>

#include "common/ShellLink.h"
#include "common/TestFiles.h"

// The programs a run works with, from the command line.
struct CPrograms {
    std::string setup;  // SETUP.EXE
    std::string status; // the recording ismif32.dll
    std::string mkarc;  // mkarc.exe
    // The sample product's rows only: its diskette set (DISK01, DISK02, ...)
    // and the payload it was made from.
    std::string diskettes;
    std::string payload;
};

// Prints the step; on failure also what was found, when given.
bool Check(bool condition, const std::string& what, const std::string& found = std::string());
// WM_GETTEXT across processes, with a deadline.
std::string Text(HWND window);
bool HasText(HWND dialog, int id, const std::string& expected, const char* what);
// Clicks button id, which must be there, visible and enabled (posted).
bool Click(HWND dialog, int id);
// Posts the command of control id to the dialog, as a click would send it.
void PostCommand(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
// The button bar of a page.
HWND ButtonBar(HWND page);

bool FileExists(const std::string& path);
// The names in a directory (no . and ..).
std::vector<std::string> ListDirectory(const std::string& dir);
void RemoveTree(const std::string& dir);
// Sets a file's last-write time; false when it cannot.
bool SetWriteTime(const std::string& path, const FILETIME& time);
extern const FILETIME kYear1990;

// Runs a program to its end; true when it ended with exit code 0.
bool RunProgram(const std::string& commandLine, const std::string& directory);
// The user's Start Menu Programs folder, as the shell folders key names it.
std::string ProgramsFolder();
// Drive A: holds exactly the files of diskette directory disk; with an
// empty name the drive is empty (not ready).
bool InsertDiskette(const std::string& disk);
// The user's desktop values named Scrnsave.exe in any case, as name=data;.
std::string ScreenSaverValues();

class CSetupRun {
public:
    CSetupRun(const CPrograms& programs, const std::string& row);
    ~CSetupRun();
    CSetupRun(const CSetupRun&) = delete;
    CSetupRun& operator=(const CSetupRun&) = delete;

    // The run's directory, ending in a backslash.
    const std::string& Dir() const { return m_dir; }
    // The row's name with the prefix "velmo-", for what it makes outside its directory.
    const std::string& Name() const { return m_name; }
    const CPrograms& Programs() const { return m_programs; }

    // Starts a program (SETUP.EXE, by any name) with switches; a row may
    // start it again once the last run has ended.
    bool Start(const std::string& exe, const std::string& switches);

    // The visible top-level window of the program with this caption (and a
    // control of id requiredItem, when given), or null; with a null caption,
    // the one in front of its others.
    HWND Find(const char* caption, int requiredItem = 0) const;
    HWND WaitFor(const char* caption, int requiredItem = 0) const;
    // Waits until no such window is visible any more.
    bool WaitGone(const char* caption, int requiredItem = 0) const;

    // The program ends with exit code 0 (in time).
    bool Ends() const;
    // The program ends with exit code 0 and the status library saw this outcome.
    bool EndsReporting(bool success) const;

private:
    void CloseProcess();

    CPrograms m_programs;
    std::string m_dir;
    std::string m_name;
    PROCESS_INFORMATION m_process = {};
};

// The pages and dialogs, each checked as a user sees it.
// The welcome page over the background window; Next or Cancel clicked.
bool LeaveWelcome(const CSetupRun& setup, int button);
// The destination page proposing location (no trailing backslash), or null.
HWND DestinationPage(const CSetupRun& setup, const std::string& location);
// The copy page (its caption is the background window's too: it has the gauge).
HWND CopyPage(const CSetupRun& setup);
// The question of string 5, answered button (IDYES, IDNO).
bool ExitQuestion(const CSetupRun& setup, int button);
// The message box of string 7; OK, and the destination page stays.
bool CannotCreate(const CSetupRun& setup, HWND page);
// The Insert Diskette prompt asking for the diskette of this label in drive, or null.
HWND DiskettePrompt(const CSetupRun& setup, const std::string& label, char drive);
// The warning about one item, visible and in front, with its headline and
// information; answered Continue Operation (IDOK) or Cancel Operation.
bool ItemFails(const CSetupRun& setup, const std::string& file, const char* info, int button);
// The warning "Setup cannot continue" with this error information; answered OK.
bool CannotContinue(const CSetupRun& setup, const char* info);
// The not-installed page with its text, or null.
HWND NotInstalledPage(const CSetupRun& setup);
// The finished page with its text, or null.
HWND FinishedPage(const CSetupRun& setup);
// The not-installed page; its OK ends the run as failed.
bool EndOnNotInstalled(const CSetupRun& setup);
// The finished page; its Finished ends the run as successful.
bool EndOnFinished(const CSetupRun& setup);
