#pragma once
// The harness of the end-to-end scenarios: one run of the real SETUP.EXE under
// Wine, in a fresh directory, driven as a user would drive it (windows found
// by caption, texts read, buttons clicked). Every wait has a deadline, and a
// SETUP.EXE that overstays is ended. Paths given as Unix paths are on Wine's
// current drive, Z:.
#include <windows.h>

#include <string>
#include <vector>

// The programs a scenario works with, from the command line.
struct CPrograms {
    std::string setup;  // SETUP.EXE
    std::string status; // the recording ismif32.dll
    std::string mkarc;  // mkarc.exe
    // The sample product's scenarios only: its diskette set (DISK01, DISK02, ...)
    // and the payload it was made from.
    std::string diskettes;
    std::string payload;
};

// Prints the step; on failure also what was found, when given.
bool Check(bool condition, const char* what, const std::string& found = std::string());
// WM_GETTEXT across processes, with a deadline.
std::string Text(HWND window);
bool HasText(HWND dialog, int id, const char* expected, const char* what);
// Clicks button id, which must be there, visible and enabled (posted).
bool Click(HWND dialog, int id);
// Posts the command of control id to the dialog, as a click would send it.
void PostCommand(HWND dialog, int id);

// Files.
bool WriteFileText(const std::string& path, const std::string& data);
std::string ReadFileText(const std::string& path);
bool FileExists(const std::string& path);
// The names in a directory (no . and ..).
std::vector<std::string> ListDirectory(const std::string& dir);
// Deletes a directory tree.
void RemoveTree(const std::string& dir);
// A pseudo-random payload of n bytes (from seed) that zlib cannot shrink much.
std::string Payload(size_t n, unsigned seed);

// Runs a program to its end; true when it ended with exit code 0.
bool RunProgram(const std::string& commandLine, const std::string& directory);
// The user's Start Menu Programs folder, as the shell folders key names it.
std::string ProgramsFolder();
// A shell link read back: path|arguments|description|icon|working directory|show command.
std::string ReadShortcut(const std::string& file);
// Puts the files of diskette directory disk on drive A:, in place of what was there.
bool InsertDiskette(const std::string& disk);

class CSetupRun {
public:
    explicit CSetupRun(const CPrograms& programs);
    ~CSetupRun();
    CSetupRun(const CSetupRun&) = delete;
    CSetupRun& operator=(const CSetupRun&) = delete;

    // The run's directory, ending in a backslash; "profile" below it is for /D:.
    const std::string& Dir() const { return m_dir; }
    // A name unique to this run (for directories it installs into).
    const std::string& Name() const { return m_name; }
    const CPrograms& Programs() const { return m_programs; }

    // Starts SETUP.EXE copied into the run's directory (or the given program).
    // A scenario may start the program again once the last run has ended.
    bool Start(const char* switches, bool withProfileDirectory = false);
    bool StartProgram(const std::string& exe, const char* switches);
    void WriteProfile(const char* text) const;

    // The visible top-level window of the program with this caption (and a
    // control of id requiredItem, when given), or null.
    HWND Find(const char* caption, int requiredItem = 0) const;
    HWND WaitFor(const char* caption, int requiredItem = 0) const;
    // Waits until no such window is visible any more.
    bool WaitGone(const char* caption, int requiredItem = 0) const;

    // The program ends with exit code 0 (in time).
    bool Ends() const;
    // The program ends with exit code 0 and the status library saw this outcome.
    bool EndsReporting(bool success) const;
    bool EndsReportingFailure() const { return EndsReporting(false); }

private:
    void CloseProcess();

    CPrograms m_programs;
    std::string m_dir;
    std::string m_name;
    PROCESS_INFORMATION m_process = {};
};

// The welcome page over the background window; Next or Cancel clicked.
bool LeaveWelcome(const CSetupRun& setup, int button);
// The not-installed page with its text, or null.
HWND NotInstalledPage(const CSetupRun& setup);
// The finished page with its text, or null.
HWND FinishedPage(const CSetupRun& setup);
// The not-installed page with its text; its OK ends the run as failed.
bool EndOnNotInstalled(const CSetupRun& setup);
// The finished page; its Finished ends the run as successful.
bool EndOnFinished(const CSetupRun& setup);
// The warning "Setup cannot continue" with this error information; answered OK.
bool CannotContinue(HWND warning, const char* info);
