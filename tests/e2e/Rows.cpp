// The end-to-end rows: the real SETUP.EXE under Wine, one row per scenario or
// fault, each naming its diskette set, its drive of the wizard and what it
// leaves installed. Every row ends with the same checks of the destination:
// exactly what it expects installed, every file the user had whole (old or
// new), no temporary file left but one waiting for the restart.
//   setup_driver ROW SETUP.EXE ISMIF32.DLL MKARC.EXE [DISKETTES PAYLOAD]
//   setup_driver seed DIR   (the user's files, for a directory made read-only)
// (DISKETTES and PAYLOAD: the sample product's set and payload, row sample.)
// Exit code 0 when the row went as expected; the steps are printed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "DisketteSet.h"
#include "SampleInstallation.h"
#include "SetupRun.h"
#include "res/resource.h"

bool SampleRow(CSetupRun& setup); // SampleRow.cpp

namespace {

// What the steps of one row share.
struct CWorld {
    CSetupRun& setup;
    CDisketteSet& set;
    HWND page = nullptr;                // the destination page
    HWND copy = nullptr;                // the copy page
    HWND prompt = nullptr;              // the Insert Diskette prompt
    HANDLE held = INVALID_HANDLE_VALUE; // BIG.DAT, held open by another program
    ~CWorld()
    {
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
    }
};

using Step = std::function<bool(CWorld&)>;

struct CRow {
    const char* name;
    CSetOptions set;
    std::vector<Step> steps;
    unsigned installed;   // the files installed at the end (DisketteSet.h)
    size_t scheduled = 0; // files waiting for the restart at the end
};

using Options = CSetOptions;

// --- Steps ----------------------------------------------------------------------

Step Start(const char* switches)
{
    return [=](CWorld& w) { return w.setup.Start(w.set.Program(), switches); };
}

// From drive A:, diskette 1 in it.
Step StartFromA()
{
    return [](CWorld& w) {
        return Check(InsertDiskette(w.set.Disk1()), "diskette 1 is in drive A:") &&
               w.setup.Start("A:\\SETUP.EXE", "");
    };
}

Step Welcome(int button)
{
    return [=](CWorld& w) { return LeaveWelcome(w.setup, button); };
}

// The destination page proposing destination 0; button clicked, if any.
Step Destination(int button)
{
    return [=](CWorld& w) {
        return (w.page = DestinationPage(w.setup, w.set.Proposed())) != nullptr &&
               (button == 0 || Click(ButtonBar(w.page), button));
    };
}

Step Bar(int button)
{
    return [=](CWorld& w) { return Click(ButtonBar(w.page), button); };
}

// A location that cannot be created: string 7, and the page stays.
Step Uncreatable(std::function<std::string(const CWorld&)> location)
{
    return [=](CWorld& w) {
        SetItemText(w.page, IDC_LOCATION, location(w));
        return Click(ButtonBar(w.page), IDC_NEXT) && CannotCreate(w.setup, w.page);
    };
}

Step Exit(int button)
{
    return [=](CWorld& w) { return ExitQuestion(w.setup, button); };
}

Step Copy()
{
    return [](CWorld& w) { return (w.copy = CopyPage(w.setup)) != nullptr; };
}

Step Prompt(const char* label, char drive)
{
    return [=](CWorld& w) { return (w.prompt = DiskettePrompt(w.setup, label, drive)) != nullptr; };
}

Step Answer(int button)
{
    return [=](CWorld& w) { return Click(w.prompt, button); };
}

// OK on the prompt while the file is still missing: refused, the prompt stays.
Step Refused(const char* why)
{
    return [=](CWorld& w) {
        Click(w.prompt, IDOK);
        Sleep(500);
        return Check(w.setup.Find("Insert Diskette", IDC_DISKETTE_REQUEST) == w.prompt, why);
    };
}

Step Fails(const char* file, const char* info, int button)
{
    return [=](CWorld& w) { return ItemFails(w.setup, file, info, button); };
}

Step Cannot(const char* info)
{
    return [=](CWorld& w) { return CannotContinue(w.setup, info); };
}

Step Finished()
{
    return [](CWorld& w) { return EndOnFinished(w.setup); };
}

Step NotInstalled()
{
    return [](CWorld& w) { return EndOnNotInstalled(w.setup); };
}

// Unattended: the run ends, reporting this outcome.
Step Ends(bool success)
{
    return [=](CWorld& w) { return w.setup.EndsReporting(success); };
}

// BIG.DAT held open by another program without delete sharing (read-only too, if asked).
Step HoldBig(bool readOnly)
{
    return [=](CWorld& w) {
        const std::string big = w.set.Target() + "BIG.DAT";
        if (readOnly)
            SetFileAttributesA(big.c_str(), FILE_ATTRIBUTE_READONLY);
        w.held = CreateFileA(big.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr);
        return Check(w.held != INVALID_HANDLE_VALUE, "BIG.DAT is held open");
    };
}

// The new BIG.DAT waits under its temporary name; the other program lets go,
// and the system restarts.
Step Restart()
{
    return [](CWorld& w) {
        bool ok = w.set.Holds(fileAll & ~fileBig, 1);
        CloseHandle(w.held);
        w.held = INVALID_HANDLE_VALUE;
        return Check(RunProgram("wineboot.exe -r", w.setup.Dir()), "the system restarts") && ok;
    };
}

// The link to BIG.DAT in the program folder holds path, arguments and
// description, nothing else.
Step Link()
{
    return [](CWorld& w) {
        const std::string fields =
            ReadShortcut(ProgramsFolder() + "\\My PM Group\\" + w.set.ShortcutName() + ".lnk");
        return Check(fields == w.set.Target() + "BIG.DAT|/s|" + w.set.ShortcutName() + "||0||1",
                     "the link holds path, arguments and description, nothing else", fields);
    };
}

// --- Drives of their own ----------------------------------------------------------

// Interactively: Back and forward keeping the text, a path that cannot be
// created, a deep path created in full; the screen saver registered (an old
// value in another spelling gives way: ScreenSaverPageTest).
const std::vector<Step> kInstall = {
    Start(""),
    Welcome(IDC_NEXT),
    Destination(0),
    [](CWorld& w) {
        const std::string deep = w.set.Installed();
        SetItemText(w.page, IDC_LOCATION, deep.substr(0, deep.size() - 1));
        return Click(ButtonBar(w.page), IDC_BACK) &&
               Click(ButtonBar(w.setup.WaitFor("Welcome")), IDC_NEXT) &&
               Check(w.setup.WaitFor("Select Directory") == w.page, "Back, and forward again") &&
               HasText(w.page, IDC_LOCATION, deep.substr(0, deep.size() - 1),
                       "the page keeps the text");
    },
    Uncreatable([](const CWorld& w) { return w.set.Target() + "bad|name"; }),
    [](CWorld& w) {
        const std::string deep = w.set.Installed();
        SetItemText(w.page, IDC_LOCATION, deep.substr(0, deep.size() - 1));
        return Click(ButtonBar(w.page), IDC_NEXT);
    },
    Finished(),
    [](CWorld&) {
        return Check(
            ScreenSaverValues() == "Scrnsave.exe=" + SystemDirectory() + "\\VelmoSaver.scr;",
            "one Scrnsave.exe names the saver in the System directory", ScreenSaverValues());
    }};

// The folder browser from a path whose tail does not exist: it opens in the
// deepest folder there is, the Path follows the folder opened, OK takes it;
// on a drive that is not there it opens in the root of the first fixed disk,
// and Cancel leaves the location alone.
const std::vector<Step> kBrowse = {
    Start(""),
    Welcome(IDC_NEXT),
    Destination(0),
    [](CWorld& w) {
        SetItemText(w.page, IDC_LOCATION, "C:\\windows\\no-such\\deeper");
        PostCommand(w.page, IDC_BROWSE);
        HWND browser = w.setup.WaitFor("Change Folder");
        if (!Check(browser != nullptr, "Browse opens the browser") ||
            !HasText(browser, IDC_FOLDER_PATH, "C:\\windows\\no-such\\deeper",
                     "Path shows the location"))
            return false;
        HWND list = GetDlgItem(browser, IDC_FOLDER_LIST);
        const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>("[system32]"));
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(browser, WM_COMMAND, MAKEWPARAM(IDC_FOLDER_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
        return Check(index >= 0, "it opens in C:\\windows, whose folders it lists") &&
               HasText(browser, IDC_FOLDER_PATH, "c:\\windows\\system32",
                       "Path follows the folder") &&
               Click(browser, IDOK) && w.setup.WaitGone("Change Folder") &&
               HasText(w.page, IDC_LOCATION, "c:\\windows\\system32", "OK takes the folder");
    },
    [](CWorld& w) {
        SetItemText(w.page, IDC_LOCATION, "Q:\\nothing\\here");
        PostCommand(w.page, IDC_BROWSE);
        HWND browser = w.setup.WaitFor("Change Folder");
        return Check(browser != nullptr, "Browse on drive Q:") &&
               Check(SendMessageA(GetDlgItem(browser, IDC_FOLDER_LIST), LB_FINDSTRINGEXACT,
                                  static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>("[windows]")) >= 0,
                     "it opens in C:\\, whose folders it lists") &&
               Click(browser, IDCANCEL) && w.setup.WaitGone("Change Folder") &&
               HasText(w.page, IDC_LOCATION, "Q:\\nothing\\here", "Cancel changes nothing");
    },
    Bar(IDCANCEL),
    Exit(IDYES),
    NotInstalled()};

// From drive A:, the second diskette asked for by label while BIG.DAT is half
// copied; OK is refused while diskette 1 is still in and while the drive is
// empty; diskette 2 goes in.
const std::vector<Step> kDriveA = {
    StartFromA(),
    Welcome(IDC_NEXT),
    Destination(IDC_NEXT),
    Copy(),
    Prompt("E2E Disk 2", 'A'),
    [](CWorld& w) {
        const std::string text = Text(GetDlgItem(w.copy, IDC_COPY_DESTINATION));
        const size_t open = text.rfind(" (");
        const int percent = open == std::string::npos ? -1 : std::atoi(text.c_str() + open + 2);
        return Check(percent > 0 && percent < 100, "the copy page shows BIG.DAT part copied", text);
    },
    Refused("OK is refused while diskette 1 is in the drive"),
    [](CWorld&) { return Check(InsertDiskette(""), "drive A: is empty"); },
    Refused("OK on the empty drive is refused"),
    [](CWorld& w) { return Check(InsertDiskette(w.set.Disk2()), "diskette 2 is in drive A:"); },
    Answer(IDOK),
    Finished()};

// Version 3.51 of NT: the program items go to Program Manager over DDE (the
// stand-in beside the program is started, as progman.exe would be), with the
// fields of their targets, and no link is written.
const std::vector<Step> kProgramManager = {
    [](CWorld& w) {
        char driver[MAX_PATH];
        GetModuleFileNameA(nullptr, driver, MAX_PATH);
        std::string stub = driver;
        stub = stub.substr(0, stub.rfind('\\') + 1) + "..\\stubs\\progman\\progman.exe";
        SetEnvironmentVariableA("PROGMAN_TEST_LOG", (w.setup.Dir() + "progman.log").c_str());
        return CopyFileA(stub.c_str(), (w.set.Disk1() + "progman.exe").c_str(), FALSE) != FALSE;
    },
    Start("/B"), Ends(true),
    [](CWorld& w) {
        const std::string name = w.set.ShortcutName();
        const std::string expected = "start\n[CreateGroup (\"My PM Group\")]\n[ReplaceItem (" +
                                     name + ")]\n[AddItem (" + w.set.Target() + "BIG.DAT /s,\"" +
                                     name + "\",,0,-1,-1,,,0)]\n[CreateGroup (\"My PM Group\")]\n" +
                                     "[ReplaceItem (" + name + " Read Me)]\n[AddItem (" +
                                     w.set.Target() + "README.TXT ,\"" + name + " Read Me\"," +
                                     w.set.Target() + "saver.ico,2,-1,-1,,,1)]\n";
        const std::string commands = ReadWholeFile(w.setup.Dir() + "progman.log");
        return Check(commands.compare(0, expected.size(), expected) == 0,
                     "Program Manager receives the group and the item", commands) &&
               Check(!FileExists(ProgramsFolder() + "\\My PM Group\\" + name + ".lnk"),
                     "no link is written");
    }};

// The item's data runs out while the second piece is asked for: Cancel on the
// copy page, the piece arrives, the next block asks whether to exit.
Step CancelWhilePrompted(const char* file)
{
    return [=](CWorld& w) {
        PostCommand(w.copy, IDCANCEL);
        if (std::strcmp(file, "BIGPLAIN.DAT") == 0)
            return WriteWholeFile(w.set.Disk1() + file, CDisketteSet::Big());
        return CopyFileA((w.setup.Dir() + "SPARE\\" + file).c_str(), (w.set.Disk1() + file).c_str(),
                         FALSE) != FALSE;
    };
}

// The set's profile with its first "from" replaced by "to".
bool EditProfile(const CWorld& w, const std::string& from, const std::string& to)
{
    const std::string path = w.set.Disk1() + "SETUP.ini";
    std::string text = ReadWholeFile(path);
    const size_t at = text.find(from);
    return Check(at != std::string::npos, "the profile is edited") &&
           WriteWholeFile(path, text.replace(at, from.size(), to));
}

// A file written with the given text, dated 1 January of year.
bool WriteDated(const std::string& path, const char* text, WORD year)
{
    SYSTEMTIME when = {year, 1, 0, 1, 12, 0, 0, 0};
    FILETIME time;
    return WriteWholeFile(path, text) && SystemTimeToFileTime(&when, &time) &&
           SetWriteTime(path, time);
}

// The row's shared file for the System directory (destination -3), in the
// Windows directory (system false) or the System directory.
std::string SharedFile(const CWorld& w, bool system)
{
    char dir[MAX_PATH];
    const UINT length =
        system ? GetSystemDirectoryA(dir, MAX_PATH) : GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir, length) + "\\" + w.set.ShortcutName().substr(0, 8) + ".DLL";
}

// The shared file lies in the Windows directory, older than the set's, and
// in the System directory, newer: both are kept as they are.
const std::vector<Step> kSystemCopyNewer = {
    [](CWorld& w) {
        const std::string name = SharedFile(w, false).substr(SharedFile(w, false).rfind('\\') + 1);
        return EditProfile(w, "[Main]\r\n", "[Main]\r\n" + name + "=3|0|1|1|-3|\r\n") &&
               WriteDated(w.set.Disk1() + name, "new", 2000) &&
               WriteDated(SharedFile(w, false), "old", 1990) &&
               WriteDated(SharedFile(w, true), "newest", 2030);
    },
    Start("/B"), Ends(true),
    [](CWorld& w) {
        const std::string inWindows = ReadWholeFile(SharedFile(w, false));
        const std::string inSystem = ReadWholeFile(SharedFile(w, true));
        DeleteFileA(SharedFile(w, false).c_str());
        DeleteFileA(SharedFile(w, true).c_str());
        return Check(inSystem == "newest", "the System directory keeps its newer copy", inSystem) &&
               Check(inWindows == "old", "the Windows directory's copy stays", inWindows);
    }};

// The longest installed path, DOCS\LICENSE.TXT, is 259 characters.
Options AtTheLimit()
{
    std::string below;
    while (below.size() < 200)
        below += "deep-directory\\";
    const size_t top = std::string("C:\\velmo-path-at-the-limit\\").size();
    below += std::string(259 - 16 - top - below.size() - 1, 'x');
    return Options().Below(below);
}

std::string LongLocation(const CWorld& w)
{
    std::string location = w.set.Target() + "long";
    while (location.size() <= 270)
        location += "\\directory";
    return location;
}

std::string MissingDrive(const CWorld&)
{
    const DWORD drives = GetLogicalDrives();
    char letter = 'Q';
    while (letter < 'Y' && (drives & (1u << (letter - 'A'))) != 0)
        ++letter;
    return std::string(1, letter) + ":\\VELMO";
}

const char kProfile[] = "9.0 (CInstallProfileException)";
const unsigned kPassedOver = fileReadme | fileNotes; // the archive passed over, the rest installed

const std::vector<CRow>& Rows()
{
    static const std::vector<CRow> rows = {
        // --- Whole installations, and the ways there --------------------------------
        {"install", Options().Fresh().Into("deep\\er\\"), kInstall, fileAll},
        {"browse", Options().Fresh(), kBrowse, 0},
        // The program outside the set: /D: names the profile's and the source's directory.
        {"switch-d",
         Options(),
         {[](CWorld& w) {
              return w.setup.Start(w.setup.Dir() + "SETUP.EXE", "/D:" + w.set.Disk1());
          },
          Welcome(IDC_NEXT), Destination(IDC_NEXT), Finished()},
         fileAll},
        {"drive-a", Options(), kDriveA, fileAll},
        // Cancel on the copy page answered No: the copy goes on.
        {"cancel-copy-no",
         Options().MissingPlain(),
         {Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT), Copy(), Prompt("E2E Disk 1", 'C'),
          CancelWhilePrompted("BIGPLAIN.DAT"), Answer(IDOK), Exit(IDNO), Finished()},
         fileAll | fileBigPlain},
        // Unattended from DISK01 with the archive continuing in DISK02: no prompt;
        // System95 only where the system is not NT.
        {"shortcuts-win95",
         Options().Platform("win95"),
         {Start("/B"), Ends(true), Link()},
         fileAll | fileSys95},
        {"shortcuts-nt40", Options().Platform("nt40"), {Start("/B"), Ends(true), Link()}, fileAll},
        {"shortcuts-nt351", Options().Platform("nt351"), kProgramManager, fileAll},
        // --- The disk and the archive -----------------------------------------------
        // The destination's disk fills while BIG.DAT is written: that item is
        // passed over, the rest goes on.
        {"disk-full",
         Options().Mounted(false),
         {[](CWorld& w) {
              ULARGE_INTEGER available, total, free;
              return Check(GetDiskFreeSpaceExA(w.set.Target().c_str(), &available, &total, &free) &&
                               total.QuadPart < 1024 * 1024,
                           "the destination is on a small disk of its own");
          },
          Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT),
          Fails("SAVER.ARC", "17.13 (CXFileException)", IDOK), Finished()},
         kPassedOver},
        // Bytes of BIG.DAT's packed data damaged: Continue Operation passes over
        // the archive and installs the rest; Cancel Operation nothing after it.
        {"damaged-continue",
         Options().Damaged(Options::damageFlipped),
         {Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT),
          Fails("SAVER.ARC", "17.3 (CZLibException)", IDOK), Finished()},
         kPassedOver},
        {"damaged-cancel",
         Options().Damaged(Options::damageFlipped),
         {Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT),
          Fails("SAVER.ARC", "17.3 (CZLibException)", IDCANCEL), NotInstalled()},
         fileReadme},
        // Unattended: the warning waits for its answer, as in any run.
        {"damaged-batch-cancel",
         Options().Damaged(Options::damageFlipped),
         {Start("/B"), Fails("SAVER.ARC", "17.3 (CZLibException)", IDCANCEL), Ends(false)},
         fileReadme},
        // SAVER.ARC in one piece, cut in the middle of BIG.DAT: the data ends
        // before the member does, in the last piece there is.
        {"truncated-piece",
         Options().Damaged(Options::damageCut),
         {Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT),
          Fails("SAVER.ARC", "17.4 (CZLibException)", IDOK), Finished()},
         kPassedOver},
        // --- The target ------------------------------------------------------------
        // BIG.DAT in use: the new copy waits under its temporary name and takes
        // the old one's place at restart.
        {"target-in-use", Options(), {HoldBig(false), Start("/B"), Ends(true), Restart()}, fileAll},
        {"read-only-target-in-use",
         Options(),
         {HoldBig(true), Start("/B"), Ends(true), Restart()},
         fileAll},
        // Read-only older files are replaced all the same; the user's own stays.
        {"read-only-targets",
         Options(),
         {[](CWorld& w) {
              bool ok = true;
              for (const char* name : {"README.TXT", "BIG.DAT", "NOTES.TXT", "MYWORK.DOC"})
                  ok = SetFileAttributesA((w.set.Target() + name).c_str(),
                                          FILE_ATTRIBUTE_READONLY) &&
                       ok;
              return Check(ok, "the user's files are read-only");
          },
          Start("/B"), Ends(true)},
         fileAll},
        // A destination on a write-protected medium: every file fails; Continue
        // on the first item, Cancel Operation on the second ends the run.
        {"read-only-directory",
         Options().Mounted(true),
         {[](CWorld& w) {
              return Check(!WriteWholeFile(w.set.Target() + "PROBE.TMP", "x"),
                           "the destination refuses new files");
          },
          Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT),
          Fails("README.TXT", "17.5 (CXFileException)", IDOK),
          Fails("SAVER.ARC", "17.5 (CXFileException)", IDCANCEL), NotInstalled()},
         0},
        // --- The destination ---------------------------------------------------------
        {"missing-drive",
         Options(),
         {Start(""), Welcome(IDC_NEXT), Destination(0), Uncreatable(MissingDrive), Bar(IDCANCEL),
          Exit(IDYES), NotInstalled()},
         0},
        // A location over 260 characters is refused whole: no part of it is made.
        {"path-too-long",
         Options(),
         {Start(""), Welcome(IDC_NEXT), Destination(0), Uncreatable(LongLocation), Bar(IDCANCEL),
          Exit(IDYES), NotInstalled(),
          [](CWorld& w) {
              return Check(!FileExists(w.set.Target() + "long"), "no directory of it was made");
          }},
         0},
        {"path-at-the-limit",
         AtTheLimit(),
         {[](CWorld& w) {
              return Check(w.set.Target().size() + 16 == 259,
                           "the longest installed path is 259 characters");
          },
          Start("/B"), Ends(true)},
         fileAll},
        // --- Cancel ------------------------------------------------------------------
        // The second diskette missing: the prompt in the middle of BIG.DAT.
        {"cancel-prompt",
         Options().Disk2Away(),
         {Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT), Prompt("E2E Disk 2", 'C'),
          Answer(IDCANCEL), NotInstalled()},
         fileReadme},
        // Cancel while BIG.DAT is half written; the piece arrives, Yes: it stops there.
        {"cancel-mid-file",
         Options().Disk2Away(),
         {Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT), Copy(), Prompt("E2E Disk 2", 'C'),
          CancelWhilePrompted("saver.ard"), Answer(IDOK), Exit(IDYES), NotInstalled()},
         fileReadme},
        // Cancel while the first diskette's archive is asked for, Yes in the
        // middle of BIG.DAT: the member runs to the end of its piece, and the
        // second diskette (missing) is not asked for.
        {"cancel-before-next-piece",
         Options().Disk2Away(),
         {[](CWorld& w) {
              return MoveFileA((w.set.Disk1() + "SAVER.ARC").c_str(),
                               (w.setup.Dir() + "SPARE\\SAVER.ARC").c_str()) != FALSE;
          },
          Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT), Copy(), Prompt("E2E Disk 1", 'C'),
          CancelWhilePrompted("SAVER.ARC"), Answer(IDOK), Exit(IDYES), NotInstalled()},
         fileReadme},
        // A new copy that cannot take its place (a directory has LICENSE.TXT's
        // name) is reported, not dropped in silence.
        {"target-blocked",
         Options(),
         {[](CWorld& w) {
              const std::string docs = w.set.Target() + "DOCS";
              CreateDirectoryA(docs.c_str(), nullptr);
              return CreateDirectoryA((docs + "\\LICENSE.TXT").c_str(), nullptr) != FALSE;
          },
          Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT),
          Fails("SAVER.ARC", "17.5 (CXFileException)", IDCANCEL), NotInstalled(),
          [](CWorld& w) {
              return RemoveDirectoryA((w.set.Target() + "DOCS\\LICENSE.TXT").c_str()) != FALSE;
          }},
         fileReadme | fileBig},
        {"system-copy-newer", Options(), kSystemCopyNewer, fileAll},
        // Unattended, a destination 0 that cannot be made (320 characters):
        // string 7 is answered and the run ends as failed.
        {"unattended-uncreatable",
         Options(),
         {[](CWorld& w) {
              return EditProfile(w, "0=" + w.set.Target().substr(3, w.set.Target().size() - 4),
                                 "0=" + std::string(320, 'v'));
          },
          Start("/B"),
          [](CWorld& w) {
              HWND box = w.setup.WaitFor("VelmoSaver Setup", IDOK);
              return Check(box != nullptr &&
                               Text(GetDlgItem(box, 0xFFFF)) == "Cannot Create Directory",
                           "string 7") &&
                     Click(box, IDOK);
          },
          Ends(false)},
         0},
        // --- The profile -------------------------------------------------------------
        {"profile-missing",
         Options().WithProfile(Options::profileMissing),
         {Start(""), Welcome(IDC_NEXT), Cannot(kProfile), NotInstalled()},
         0},
        // Destinations whose chain ends nowhere: Next on the destination page
        // reports code 1, and the page stays.
        {"profile-unresolvable",
         Options().WithProfile(Options::profileUnresolvable),
         {Start(""), Welcome(IDC_NEXT), Destination(IDC_NEXT),
          Cannot("9.1 (CInstallProfileException)"),
          [](CWorld& w) {
              return w.setup.WaitGone("Warning", IDC_WARNING_INFO) &&
                     Check(w.setup.Find("Select Directory") == w.page, "the page stays");
          },
          Bar(IDCANCEL), Exit(IDYES), NotInstalled()},
         0},
    };
    return rows;
}

bool RunRow(const CRow& row, CSetupRun& setup)
{
    CDisketteSet set(setup, row.set);
    CWorld world{setup, set};
    if (!set.Ready())
        return false;
    for (const Step& step : row.steps) {
        if (!step(world))
            return false;
    }
    return set.Holds(row.installed, row.scheduled);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "seed") == 0)
        return CDisketteSet::WriteUserFiles(argv[2]) ? 0 : 1;
    const auto row = std::find_if(Rows().begin(), Rows().end(), [&](const CRow& candidate) {
        return argc > 1 && std::strcmp(argv[1], candidate.name) == 0;
    });
    const bool sample = argc == 7 && std::strcmp(argv[1], "sample") == 0;
    if ((argc == 5 || argc == 7) && (row != Rows().end() || sample)) {
        const CPrograms programs{argv[2], argv[3], argv[4], argc == 7 ? argv[5] : "",
                                 argc == 7 ? argv[6] : ""};
        bool passed;
        {
            CSetupRun setup(programs, argv[1]);
            passed = sample ? SampleRow(setup) : RunRow(*row, setup);
        }
        std::printf("%s: %s\n", argv[1], passed ? "passed" : "FAILED");
        return passed ? 0 : 1;
    }
    std::printf("usage: setup_driver ROW SETUP.EXE ISMIF32.DLL MKARC.EXE [DISKETTES PAYLOAD]\n"
                "       setup_driver seed DIR\n");
    return 2;
}
