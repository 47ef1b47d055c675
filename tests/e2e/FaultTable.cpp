// The fault table: the real SETUP.EXE under Wine, one row per fault, each
// starting from a destination that holds the user's older files and ending
// with the report and page the fault calls for, every file the user had whole
// (old or new), no temporary file left but one waiting for the restart.
//   fault_driver ROW SETUP.EXE ISMIF32.DLL MKARC.EXE
//   fault_driver seed DIR      (the user's files, for a directory made read-only)
// Exit code 0 when the row went as expected; the steps are printed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "FaultFixture.h"
#include "SetupRun.h"
#include "res/resource.h"

namespace {

using Fixture = CFaultFixture;

const char kExitQuestion[] =
    "Velmo Screen Saver installation not complete. Do you really want to exit Setup?";

HWND ButtonBar(HWND page)
{
    return page != nullptr ? FindWindowExA(page, nullptr, "#32770", nullptr) : nullptr;
}

void SetItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Welcome, then the destination page proposing destination 0 on C:.
HWND ToDestination(const CSetupRun& setup, const Fixture& set)
{
    HWND page = nullptr;
    std::string proposed = set.Target();
    proposed.pop_back();
    if (LeaveWelcome(setup, IDC_NEXT) &&
        Check((page = setup.WaitFor("Select Directory")) != nullptr,
              "the destination page shows") &&
        HasText(page, IDC_LOCATION, proposed.c_str(), "it proposes destination 0 on C:"))
        return page;
    return nullptr;
}

bool ThroughDestination(const CSetupRun& setup, const Fixture& set)
{
    HWND page = ToDestination(setup, set);
    return page != nullptr && Click(ButtonBar(page), IDC_NEXT);
}

// The question of string 5, answered Yes.
bool ExitAnsweredYes(const CSetupRun& setup)
{
    HWND box = setup.WaitFor("VelmoSaver Setup", IDYES);
    return Check(box != nullptr, "Setup asks whether to exit") &&
           HasText(box, 0xFFFF, kExitQuestion, "with string 5") && Click(box, IDYES);
}

// The warning about one item, with its headline and the exception's class in
// its information; answered Continue Operation or Cancel Operation.
bool ItemFails(const CSetupRun& setup, const char* file, const char* info, bool goOn)
{
    HWND warning = setup.WaitFor("Warning", IDC_WARNING_INFO);
    const std::string headline = std::string("Cannot install files from '") + file + "':";
    return Check(warning != nullptr, "Setup reports the item's failure") &&
           HasText(warning, IDC_WARNING_HEADLINE, headline.c_str(), "headline string 17") &&
           HasText(warning, IDC_WARNING_INFO, info, "error information") &&
           Click(warning, goOn ? IDOK : IDCANCEL);
}

// The Insert Diskette prompt for the second diskette.
HWND PromptForDisk2(const CSetupRun& setup, const char* drive)
{
    HWND prompt = setup.WaitFor("Insert Diskette", IDC_DISKETTE_REQUEST);
    const std::string request =
        std::string("Please insert the diskette labelled 'Fault Disk 2' in drive ") + drive + ":";
    if (Check(prompt != nullptr, "Setup asks for the second diskette") &&
        HasText(prompt, IDC_DISKETTE_REQUEST, request.c_str(), "by its label"))
        return prompt;
    return nullptr;
}

// What a run that stopped inside SAVER.ARC leaves: the read-me before it
// installed, the archive's files and the notes after it not.
Fixture::Expected StoppedInArchive()
{
    Fixture::Expected expected = Fixture::Untouched();
    expected["README.TXT"] = Fixture::verNew;
    return expected;
}

// Drive A: holds exactly the files of diskette directory disk (none: empty).
bool PutInDriveA(const std::string& disk)
{
    for (const std::string& name : ListDirectory("A:"))
        DeleteFileA(("A:\\" + name).c_str());
    bool ok = true;
    if (!disk.empty()) {
        for (const std::string& name : ListDirectory(disk))
            ok = CopyFileA((disk + name).c_str(), ("A:\\" + name).c_str(), FALSE) && ok;
    }
    return ok;
}

// The mounted destination is a small disk of its own (not C:'s).
bool OnSmallDisk(const std::string& dir)
{
    ULARGE_INTEGER available, total, free;
    return Check(GetDiskFreeSpaceExA(dir.c_str(), &available, &total, &free) &&
                     total.QuadPart < 1024 * 1024,
                 "the destination is on a small disk of its own");
}

// --- The disk and the archive -------------------------------------------------

// The destination's disk fills while BIG.DAT is written: that item is
// reported and passed over; the rest goes on and the run ends as finished.
bool DiskFull(CSetupRun& setup)
{
    Fixture::Options options;
    options.mounted = true;
    Fixture set(setup, options);
    return set.Packed() && OnSmallDisk(set.Target()) &&
           setup.StartProgram(set.Disk1() + "SETUP.EXE", "") && ThroughDestination(setup, set) &&
           ItemFails(setup, "SAVER.ARC", "17.13 (CXFileException)", true) && EndOnFinished(setup) &&
           set.Holds(StoppedInArchive());
}

// Bytes of BIG.DAT's packed data damaged: the archive is reported, passed
// over, and the run finishes with the rest.
bool DamagedPiece(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    std::string archive = ReadFileText(set.Disk1() + "SAVER.ARC");
    for (size_t i = 30000; i < 30064 && i < archive.size(); ++i)
        archive[i] = static_cast<char>(archive[i] ^ 0x5A);
    WriteFileText(set.Disk1() + "SAVER.ARC", archive);
    return set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "") &&
           ThroughDestination(setup, set) &&
           ItemFails(setup, "SAVER.ARC", "17.3 (CZLibException)", true) && EndOnFinished(setup) &&
           set.Holds(StoppedInArchive());
}

// SAVER.ARC in one piece, cut in the middle of BIG.DAT: the data ends
// before the member does, in the last piece there is; reported as damaged,
// passed over, and the run finishes with the rest.
bool TruncatedPiece(CSetupRun& setup)
{
    Fixture::Options options;
    options.onePiece = true;
    Fixture set(setup, options);
    const std::string archive = ReadFileText(set.Disk1() + "SAVER.ARC");
    WriteFileText(set.Disk1() + "SAVER.ARC", archive.substr(0, archive.size() / 2));
    return set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "") &&
           ThroughDestination(setup, set) &&
           ItemFails(setup, "SAVER.ARC", "17.4 (CZLibException)", true) && EndOnFinished(setup) &&
           set.Holds(StoppedInArchive());
}

// Drive A: is a link of the prefix to its directory "floppy": the diskette is
// taken out by moving that directory away (the drive is then empty, its link
// leads nowhere) and another put in by moving a directory to its place. The
// first diskette goes back at the end, for the next test.
class CFloppyDrive {
public:
    CFloppyDrive()
    {
        char prefix[MAX_PATH] = "";
        GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
        m_dir = std::string("Z:") + prefix;
        std::replace(m_dir.begin(), m_dir.end(), '/', '\\');
        m_dir += "\\floppy";
    }
    ~CFloppyDrive()
    {
        if (!FileExists(m_dir + "-out"))
            return;
        RemoveTree(m_dir);
        MoveFileA((m_dir + "-out").c_str(), m_dir.c_str());
    }
    CFloppyDrive(const CFloppyDrive&) = delete;
    CFloppyDrive& operator=(const CFloppyDrive&) = delete;

    bool TakeOut() const { return MoveFileA(m_dir.c_str(), (m_dir + "-out").c_str()) != FALSE; }
    bool PutIn(const std::string& disk) const
    {
        const std::string next = m_dir + "-next";
        bool ok = CreateDirectoryA(next.c_str(), nullptr) != FALSE;
        for (const std::string& name : ListDirectory(disk))
            ok = CopyFileA((disk + name).c_str(), (next + "\\" + name).c_str(), FALSE) && ok;
        return MoveFileA(next.c_str(), m_dir.c_str()) && ok;
    }

private:
    std::string m_dir;
};

// From drive A:, the first diskette taken out while BIG.DAT waits for the
// second: OK on the empty drive is refused; the right diskette goes on.
bool DisketteTakenOut(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    CFloppyDrive drive;
    HWND prompt = nullptr;
    bool ok = set.Packed() && Check(PutInDriveA(set.Disk1()), "diskette 1 is in drive A:") &&
              setup.StartProgram("A:\\SETUP.EXE", "") && ThroughDestination(setup, set) &&
              (prompt = PromptForDisk2(setup, "A")) != nullptr &&
              Check(drive.TakeOut() && !FileExists("A:\\SETUP.EXE"), "drive A: is empty") &&
              Click(prompt, IDOK);
    Sleep(500);
    return ok &&
           Check(setup.Find("Insert Diskette", IDC_DISKETTE_REQUEST) != nullptr,
                 "OK on the empty drive is refused") &&
           Check(drive.PutIn(set.Disk2()) && FileExists("A:\\saver.ard"),
                 "diskette 2 is in drive A:") &&
           Click(prompt, IDOK) && EndOnFinished(setup) && set.Holds(Fixture::Installed());
}

// --- The target -----------------------------------------------------------------

// BIG.DAT held open by another program without delete sharing (and
// read-only too, when asked): the new copy waits under its temporary name and
// takes the old one's place at restart.
bool TargetInUse(CSetupRun& setup, bool readOnly)
{
    Fixture set(setup, Fixture::Options());
    const std::string big = set.Target() + "BIG.DAT";
    if (readOnly)
        SetFileAttributesA(big.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held =
        CreateFileA(big.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    Fixture::Expected waiting = Fixture::Installed();
    waiting["BIG.DAT"] = Fixture::verOld;
    bool ok = set.Packed() && Check(held != INVALID_HANDLE_VALUE, "BIG.DAT is held open") &&
              setup.StartProgram(set.Disk1() + "SETUP.EXE", "/B") && setup.EndsReporting(true) &&
              set.Holds(waiting, 1);
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    return ok && Check(RunProgram("wineboot.exe -r", setup.Dir()), "the system restarts") &&
           set.Holds(Fixture::Installed());
}

bool TargetInUse(CSetupRun& setup)
{
    return TargetInUse(setup, false);
}

bool ReadOnlyTargetInUse(CSetupRun& setup)
{
    return TargetInUse(setup, true);
}

// Read-only older files are replaced all the same; the user's own stays.
bool ReadOnlyTargets(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    bool ok = set.Packed();
    for (const char* name : {"README.TXT", "BIG.DAT", "NOTES.TXT", "MYWORK.DOC"})
        ok = SetFileAttributesA((set.Target() + name).c_str(), FILE_ATTRIBUTE_READONLY) && ok;
    return Check(ok, "the user's files are read-only") &&
           setup.StartProgram(set.Disk1() + "SETUP.EXE", "/B") && setup.EndsReporting(true) &&
           set.Holds(Fixture::Installed());
}

// A destination directory on a write-protected (read-only mounted) medium:
// every file fails to be written; Continue on the first item, Cancel
// Operation on the second ends the run.
bool ReadOnlyDirectory(CSetupRun& setup)
{
    Fixture::Options options;
    options.mounted = true;
    options.seeded = true;
    Fixture set(setup, options);
    const bool refused = !WriteFileText(set.Target() + "PROBE.TMP", "x");
    return set.Packed() && Check(refused, "the destination refuses new files") &&
           setup.StartProgram(set.Disk1() + "SETUP.EXE", "") && ThroughDestination(setup, set) &&
           ItemFails(setup, "README.TXT", "17.5 (CXFileException)", true) &&
           ItemFails(setup, "SAVER.ARC", "17.5 (CXFileException)", false) &&
           EndOnNotInstalled(setup) && set.Holds(Fixture::Untouched());
}

// --- The destination ------------------------------------------------------------

// A location that cannot be created gives string 7 and the page stays; the
// user then cancels.
bool Uncreatable(CSetupRun& setup, const std::string& location)
{
    Fixture set(setup, Fixture::Options());
    HWND page = nullptr, box = nullptr;
    if (!set.Packed() || !setup.StartProgram(set.Disk1() + "SETUP.EXE", "") ||
        (page = ToDestination(setup, set)) == nullptr)
        return false;
    SetItemText(page, IDC_LOCATION, location);
    return Click(ButtonBar(page), IDC_NEXT) &&
           Check((box = setup.WaitFor("VelmoSaver Setup", IDOK)) != nullptr &&
                     Text(GetDlgItem(box, 0xFFFF)) == "Cannot Create Directory",
                 "string 7") &&
           Click(box, IDOK) && setup.WaitGone("VelmoSaver Setup", 0xFFFF) &&
           Check(setup.Find("Select Directory") == page, "the page stays") &&
           Click(ButtonBar(page), IDCANCEL) && ExitAnsweredYes(setup) && EndOnNotInstalled(setup) &&
           set.Holds(Fixture::Untouched());
}

bool MissingDrive(CSetupRun& setup)
{
    const DWORD drives = GetLogicalDrives();
    char letter = 'Q';
    while (letter < 'Y' && (drives & (1u << (letter - 'A'))) != 0)
        ++letter;
    return Uncreatable(setup, std::string(1, letter) + ":\\VELMO");
}

// A location over 260 characters is refused whole: no part of it is made.
bool PathTooLong(CSetupRun& setup)
{
    std::string location = "C:\\velmo-long";
    while (location.size() <= 270)
        location += "\\directory";
    return Uncreatable(setup, location) &&
           Check(!FileExists("C:\\velmo-long"), "no directory of it was created");
}

// The longest destination that still holds an eight-and-three name: the
// whole installation goes there.
bool PathAtTheLimit(CSetupRun& setup)
{
    Fixture::Options options;
    while (options.below.size() < 200)
        options.below += "deep-directory\\";
    const size_t top = std::string("C:\\" + setup.Name() + "\\").size();
    options.below += std::string(259 - 12 - top - options.below.size() - 1, 'x');
    Fixture set(setup, options);
    return Check(set.Target().size() + 12 == 259, "the destination leaves 12 characters",
                 std::to_string(set.Target().size())) &&
           set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "/B") &&
           setup.EndsReporting(true) && set.Holds(Fixture::Installed());
}

// A new copy that cannot take its place (a directory has the name of
// LICENSE.TXT) is reported, not dropped in silence; Cancel Operation ends the
// run as failed, no temporary file left.
bool TargetBlocked(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    Fixture::Expected expected = Fixture::Installed();
    expected["LICENSE.TXT"] = Fixture::verAbsent;
    return set.Packed() &&
           Check(CreateDirectoryA((set.Target() + "LICENSE.TXT").c_str(), nullptr) != FALSE,
                 "a directory stands where LICENSE.TXT goes") &&
           setup.StartProgram(set.Disk1() + "SETUP.EXE", "") && ThroughDestination(setup, set) &&
           ItemFails(setup, "SAVER.ARC", "17.5 (CXFileException)", false) &&
           EndOnNotInstalled(setup) && setup.EndsReporting(false) &&
           RemoveDirectoryA((set.Target() + "LICENSE.TXT").c_str()) && set.Holds(expected);
}

bool SetYear(const std::string& path, WORD year)
{
    SYSTEMTIME when = {year, 1, 0, 1, 12, 0, 0, 0};
    FILETIME time;
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool ok =
        SystemTimeToFileTime(&when, &time) && SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    return ok;
}

// A shared file for the System directory (destination -3) found in both the
// Windows and the System directory: the System copy, newer than the new one,
// is kept; the Windows copy, older, stays as it was.
bool SystemCopyNewer(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    char dir[MAX_PATH];
    const std::string name = setup.Name().substr(0, 8) + ".DLL";
    const std::string windows = std::string(dir, GetWindowsDirectoryA(dir, MAX_PATH)) + "\\" + name;
    const std::string system = std::string(dir, GetSystemDirectoryA(dir, MAX_PATH)) + "\\" + name;
    const std::string target = set.Target().substr(3, set.Target().size() - 4);
    set.WriteProfile("[destinations]\r\n0=" + target +
                     "\r\n[groups]\r\nMain=Velmo|The saver|1|1|1\r\n[Main]\r\n" + name +
                     "=3|0|1|1|-3|\r\n");
    const bool ok =
        set.Packed() && WriteFileText(set.Disk1() + name, "new") &&
        SetYear(set.Disk1() + name, 2000) && WriteFileText(windows, "old") &&
        SetYear(windows, 1990) && WriteFileText(system, "newest") && SetYear(system, 2030) &&
        setup.StartProgram(set.Disk1() + "SETUP.EXE", "/B") && setup.EndsReporting(true) &&
        Check(ReadFileText(system) == "newest", "the System copy stays", ReadFileText(system)) &&
        Check(ReadFileText(windows) == "old", "the Windows copy stays", ReadFileText(windows));
    DeleteFileA(windows.c_str());
    DeleteFileA(system.c_str());
    return ok && set.Holds(Fixture::Untouched());
}

// --- Cancel ---------------------------------------------------------------------

bool CancelOnWelcome(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    return set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "") &&
           LeaveWelcome(setup, IDCANCEL) && ExitAnsweredYes(setup) && EndOnNotInstalled(setup) &&
           set.Holds(Fixture::Untouched());
}

bool CancelOnDestination(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    HWND page = nullptr;
    return set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "") &&
           (page = ToDestination(setup, set)) != nullptr && Click(ButtonBar(page), IDCANCEL) &&
           ExitAnsweredYes(setup) && EndOnNotInstalled(setup) && set.Holds(Fixture::Untouched());
}

// The second diskette missing (its directory is elsewhere): the prompt in the
// middle of BIG.DAT, answered Cancel.
bool CancelOnPrompt(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    HWND prompt = nullptr;
    return set.Packed() && MoveFileA(set.Disk2().c_str(), (setup.Dir() + "SPARE").c_str()) &&
           setup.StartProgram(set.Disk1() + "SETUP.EXE", "") && ThroughDestination(setup, set) &&
           (prompt = PromptForDisk2(setup, "C")) != nullptr && Click(prompt, IDCANCEL) &&
           EndOnNotInstalled(setup) && set.Holds(StoppedInArchive());
}

// Cancel clicked while BIG.DAT is half written (its second piece asked for);
// the piece arrives, the next block asks, Yes: the extraction stops there.
bool CancelMidFile(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    HWND copy = nullptr, prompt = nullptr;
    bool ok = set.Packed() && MoveFileA(set.Disk2().c_str(), (setup.Dir() + "SPARE").c_str()) &&
              setup.StartProgram(set.Disk1() + "SETUP.EXE", "") && ThroughDestination(setup, set) &&
              Check((copy = setup.WaitFor("Velmo Screen Saver Setup", IDC_COPY_GAUGE)) != nullptr,
                    "the copy page shows") &&
              (prompt = PromptForDisk2(setup, "C")) != nullptr;
    if (!ok)
        return false;
    PostCommand(copy, IDCANCEL);
    return CopyFileA((setup.Dir() + "SPARE\\saver.ard").c_str(),
                     (set.Disk1() + "saver.ard").c_str(), FALSE) &&
           Click(prompt, IDOK) && ExitAnsweredYes(setup) && EndOnNotInstalled(setup) &&
           set.Holds(StoppedInArchive());
}

// Cancel clicked while the first diskette's archive is asked for, answered
// Yes in the middle of BIG.DAT: the member runs to the end of its piece, and
// the next piece is not asked for (the second diskette is missing).
bool CancelBeforeNextPiece(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    HWND copy = nullptr, prompt = nullptr;
    const std::string spare = setup.Dir() + "SPARE\\";
    bool ok = set.Packed() && MoveFileA(set.Disk2().c_str(), spare.c_str()) &&
              MoveFileA((set.Disk1() + "SAVER.ARC").c_str(), (spare + "SAVER.ARC").c_str()) &&
              setup.StartProgram(set.Disk1() + "SETUP.EXE", "") && ThroughDestination(setup, set) &&
              Check((copy = setup.WaitFor("Velmo Screen Saver Setup", IDC_COPY_GAUGE)) != nullptr,
                    "the copy page shows") &&
              Check((prompt = setup.WaitFor("Insert Diskette", IDC_DISKETTE_REQUEST)) != nullptr,
                    "Setup asks for the first diskette's archive");
    if (!ok)
        return false;
    PostCommand(copy, IDCANCEL);
    return CopyFileA((spare + "SAVER.ARC").c_str(), (set.Disk1() + "SAVER.ARC").c_str(), FALSE) &&
           Click(prompt, IDOK) && ExitAnsweredYes(setup) && EndOnNotInstalled(setup) &&
           setup.EndsReporting(false) && set.Holds(StoppedInArchive());
}

// Unattended, a destination that cannot be made (320 characters): string 7 is
// answered, and the run ends as failed instead of waiting for ever.
bool UnattendedUncreatable(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    set.WriteProfile("[destinations]\r\n0=" + std::string(320, 'v') +
                     "\r\n[groups]\r\nMain=Velmo|The saver|1|1|1\r\n[Main]\r\n"
                     "README.TXT=16|0|1|1|0|\r\n");
    HWND box = nullptr;
    return set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "/B") &&
           Check((box = setup.WaitFor("VelmoSaver Setup", IDOK)) != nullptr &&
                     Text(GetDlgItem(box, 0xFFFF)) == "Cannot Create Directory",
                 "string 7") &&
           Click(box, IDOK) && setup.EndsReporting(false) && set.Holds(Fixture::Untouched());
}

// --- The profile ----------------------------------------------------------------

// A profile that cannot be read: "Setup cannot continue" with the profile
// exception, then the not-installed page.
bool ProfileUnreadable(CSetupRun& setup, const std::string* text)
{
    Fixture set(setup, Fixture::Options());
    if (text != nullptr)
        set.WriteProfile(*text);
    else
        DeleteFileA((set.Disk1() + "SETUP.ini").c_str());
    return set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "") &&
           LeaveWelcome(setup, IDC_NEXT) &&
           CannotContinue(setup.WaitFor("Warning", IDC_WARNING_INFO),
                          "9.0 (CInstallProfileException)") &&
           EndOnNotInstalled(setup) && set.Holds(Fixture::Untouched());
}

bool ProfileMissing(CSetupRun& setup)
{
    return ProfileUnreadable(setup, nullptr);
}

bool ProfileEmpty(CSetupRun& setup)
{
    const std::string empty;
    return ProfileUnreadable(setup, &empty);
}

bool ProfileGarbage(CSetupRun& setup)
{
    const std::string garbage = Payload(16384, 11);
    return ProfileUnreadable(setup, &garbage);
}

// Destinations whose chain ends nowhere (a missing parent, a cycle): Next on
// the destination page reports the profile exception, code 1, and the page
// stays; the user cancels.
bool ProfileUnresolvable(CSetupRun& setup)
{
    Fixture set(setup, Fixture::Options());
    set.WriteProfile("[destinations]\r\n0=" + set.Target().substr(3, set.Target().size() - 4) +
                     "\r\n1=DOCS|7\r\n2=A|3\r\n3=B|2\r\n"
                     "[groups]\r\nMain=Velmo|The saver|1|1|1\r\n"
                     "[Main]\r\nREADME.TXT=16|0|1|1|1|\r\n");
    HWND page = nullptr;
    return set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "") &&
           (page = ToDestination(setup, set)) != nullptr && Click(ButtonBar(page), IDC_NEXT) &&
           CannotContinue(setup.WaitFor("Warning", IDC_WARNING_INFO),
                          "9.1 (CInstallProfileException)") &&
           setup.WaitGone("Warning", IDC_WARNING_INFO) &&
           Check(setup.Find("Select Directory") == page, "the page stays") &&
           Click(ButtonBar(page), IDCANCEL) && ExitAnsweredYes(setup) && EndOnNotInstalled(setup) &&
           set.Holds(Fixture::Untouched());
}

} // namespace

int main(int argc, char** argv)
{
    const struct {
        const char* name;
        bool (*run)(CSetupRun&);
    } rows[] = {{"disk-full", &DiskFull},
                {"damaged-piece", &DamagedPiece},
                {"truncated-piece", &TruncatedPiece},
                {"diskette-out", &DisketteTakenOut},
                {"target-in-use", &TargetInUse},
                {"read-only-target-in-use", &ReadOnlyTargetInUse},
                {"read-only-targets", &ReadOnlyTargets},
                {"read-only-directory", &ReadOnlyDirectory},
                {"target-blocked", &TargetBlocked},
                {"system-copy-newer", &SystemCopyNewer},
                {"missing-drive", &MissingDrive},
                {"path-too-long", &PathTooLong},
                {"path-at-the-limit", &PathAtTheLimit},
                {"cancel-welcome", &CancelOnWelcome},
                {"cancel-destination", &CancelOnDestination},
                {"cancel-prompt", &CancelOnPrompt},
                {"cancel-mid-file", &CancelMidFile},
                {"cancel-before-next-piece", &CancelBeforeNextPiece},
                {"unattended-uncreatable", &UnattendedUncreatable},
                {"profile-missing", &ProfileMissing},
                {"profile-empty", &ProfileEmpty},
                {"profile-garbage", &ProfileGarbage},
                {"profile-unresolvable", &ProfileUnresolvable}};
    if (argc == 3 && std::strcmp(argv[1], "seed") == 0)
        return CFaultFixture::WriteUserFiles(argv[2]) ? 0 : 1;
    for (const auto& row : rows) {
        if (argc != 5 || std::strcmp(argv[1], row.name) != 0)
            continue;
        bool passed;
        {
            CSetupRun setup(CPrograms{argv[2], argv[3], argv[4], "", ""});
            passed = row.run(setup);
        }
        std::printf("%s: %s\n", row.name, passed ? "passed" : "FAILED");
        return passed ? 0 : 1;
    }
    std::printf("usage: fault_driver ROW SETUP.EXE ISMIF32.DLL MKARC.EXE\n"
                "       fault_driver seed DIR\n");
    return 2;
}
