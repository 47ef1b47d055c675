// Installations from diskette sets that each scenario packs with mkarc.exe:
//   DISK01  SETUP.EXE, SETUP.ini, the status library, README.TXT (plain, listed
//           first) and the first piece of SAVER.ARC
//   DISK02  the rest of SAVER.ARC (saver.ard) and NOTES.TXT (plain, last)
// SAVER.ARC holds BIG.DAT (destination 0), SKIPPED.BIN (not installed) and
// LICENSE.TXT (destination 1, DOCS below destination 0). Group Extras, left
// out of the typical setup, lists a file that no diskette holds.
#include "Scenarios.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "SetupRun.h"
#include "res/resource.h"

namespace {

const size_t kBigSize = 200000;
const size_t kSkippedSize = 100000;
const char kLicense[] = "Velmo Screen Saver licence: use it, enjoy it.\r\n";
const char kReadme[] = "Read me first.\r\n";
const char kDesktopKey[] = "Control Panel\\Desktop";
// What a whole installation of the set puts in destination 0.
const std::vector<std::string> kAll = {"README.TXT", "BIG.DAT", "NOTES.TXT"};

class CDisketteSet {
public:
    // pieceSize: where SAVER.ARC is cut (0: half way, inside SKIPPED.BIN; any
    // other value cuts at that size). missingPlain: BIGPLAIN.DAT, a plain file of
    // diskette 1 listed first, is not on any diskette at the start.
    CDisketteSet(const CSetupRun& setup, size_t pieceSize = 0, bool missingPlain = false)
        : m_setup(setup), m_disk1(setup.Dir() + "DISK01\\"), m_disk2(setup.Dir() + "DISK02\\"),
          m_target("C:\\" + setup.Name() + "\\")
    {
        const std::string work = setup.Dir() + "work\\";
        for (const std::string& dir : {work, m_disk1, m_disk2})
            CreateDirectoryA(dir.c_str(), nullptr);
        WriteFileText(work + "BIG.DAT", Big());
        WriteFileText(work + "SKIPPED.BIN", Payload(kSkippedSize, 2));
        WriteFileText(work + "LICENSE.TXT", kLicense);
        const std::string pack =
            "\"" + setup.Programs().mkarc + "\" pack --mtime 865166400 " +
            "--method zlib --piece-size " + std::to_string(pieceSize ? pieceSize : 250000) +
            " SAVER.ARC --dest 0 BIG.DAT --dest -1 SKIPPED.BIN --dest 1 " + "LICENSE.TXT";
        m_packed = RunProgram(pack, work);
        MoveFileA((work + "SAVER.ARC").c_str(), (m_disk1 + "SAVER.ARC").c_str());
        MoveFileA((work + "saver.ard").c_str(), (m_disk2 + "saver.ard").c_str());
        WriteFileText(m_disk1 + "README.TXT", kReadme);
        WriteFileText(m_disk2 + "NOTES.TXT", kReadme);
        CopyFileA((setup.Dir() + "SETUP.EXE").c_str(), (m_disk1 + "SETUP.EXE").c_str(), FALSE);
        for (const std::string& disk : {m_disk1, m_disk2})
            CopyFileA((setup.Dir() + "ismif32.dll").c_str(), (disk + "ismif32.dll").c_str(), FALSE);

        const size_t archived = kBigSize + kSkippedSize + sizeof kLicense - 1;
        std::string profile = "[destinations]\r\n0=" + setup.Name() +
                              "\r\n1=DOCS|0\r\n"
                              "[groups]\r\nMain=Velmo|The saver|1|1|1\r\n"
                              "Extras=Extras|Not typical|1|0|1\r\n[Main]\r\n";
        if (missingPlain)
            profile += "BIGPLAIN.DAT=" + std::to_string(kBigSize) + "|0|1|1|0|\r\n";
        profile += "README.TXT=" + std::to_string(sizeof kReadme - 1) + "|0|1|1|0|\r\n" +
                   "SAVER.ARC=" + std::to_string(archived) + "|1|3|1|0|\r\n" +
                   "NOTES.TXT=" + std::to_string(sizeof kReadme - 1) + "|0|1|2|0|\r\n" +
                   "[Extras]\r\nEXTRA.TXT=5|0|1|1|0|\r\n"
                   "[targets]\r\nbig.dat=0|0|0|" +
                   ShortcutName() +
                   "|/s||\r\n"
                   "[diskettes]\r\n1=E2E Disk 1|\r\n2=E2E Disk 2|\r\n";
        WriteFileText(m_disk1 + "SETUP.ini", profile);
    }
    ~CDisketteSet() { RemoveTree(m_target); }
    CDisketteSet(const CDisketteSet&) = delete;
    CDisketteSet& operator=(const CDisketteSet&) = delete;

    static std::string Big() { return Payload(kBigSize, 1); }
    // The caption of BIG.DAT's shortcut, unique to the run.
    static std::string ShortcutName() { return "Velmo " + std::to_string(GetCurrentProcessId()); }

    // Adds group System95 (typical) with SYS95.TXT on diskette 1, and names the
    // program (and so its profile) exe instead of SETUP.
    void ForPlatform(const std::string& exe) const
    {
        std::string profile = ReadFileText(m_disk1 + "SETUP.ini");
        const size_t groups = profile.find("[Main]");
        profile.insert(groups, "System95=System files|For Windows 95|1|1|1\r\n");
        profile +=
            "[System95]\r\nSYS95.TXT=" + std::to_string(sizeof kReadme - 1) + "|0|1|1|0|\r\n";
        WriteFileText(m_disk1 + exe + ".ini", profile);
        WriteFileText(m_disk1 + "SYS95.TXT", kReadme);
        MoveFileA((m_disk1 + "SETUP.EXE").c_str(), (m_disk1 + exe + ".EXE").c_str());
        DeleteFileA((m_disk1 + "SETUP.ini").c_str());
    }

    bool Packed() const { return Check(m_packed, "mkarc packs the diskette set"); }
    const std::string& Disk1() const { return m_disk1; }
    const std::string& Disk2() const { return m_disk2; }
    // Destination 0 as the program proposes it, with a trailing backslash.
    const std::string& Target() const { return m_target; }

    // Flips bytes inside BIG.DAT's packed data on the first diskette.
    void Damage() const
    {
        std::string archive = ReadFileText(m_disk1 + "SAVER.ARC");
        for (size_t i = 20000; i < 20100 && i < archive.size(); ++i)
            archive[i] = static_cast<char>(archive[i] ^ 0x5A);
        WriteFileText(m_disk1 + "SAVER.ARC", archive);
    }

    // Directory dir holds exactly these of the set's files (and DOCS with
    // LICENSE.TXT when BIG.DAT is there), each complete.
    bool Installed(const std::string& dir, std::vector<std::string> expected) const
    {
        if (std::find(expected.begin(), expected.end(), "BIG.DAT") != expected.end())
            expected.push_back("DOCS");
        std::vector<std::string> names = ListDirectory(dir);
        std::sort(names.begin(), names.end());
        std::sort(expected.begin(), expected.end());
        std::string found;
        for (const std::string& name : names)
            found += name + " ";
        bool ok =
            Check(names == expected, "the destination holds what was installed, no more", found);
        for (const std::string& name : expected) {
            const std::string text = ReadFileText(dir + name);
            if (name == "BIG.DAT" || name == "BIGPLAIN.DAT")
                ok = Check(text == Big(), (name + " is complete").c_str()) && ok;
            else if (name == "README.TXT" || name == "NOTES.TXT" || name == "SYS95.TXT")
                ok = Check(text == kReadme, (name + " is complete").c_str()) && ok;
            else if (name == "DOCS")
                ok = Check(ReadFileText(dir + "DOCS\\LICENSE.TXT") == kLicense,
                           "LICENSE.TXT went to the derived destination") &&
                     ok;
        }
        return ok;
    }

private:
    const CSetupRun& m_setup;
    std::string m_disk1;
    std::string m_disk2;
    std::string m_target;
    bool m_packed = false;
};

HWND ButtonBar(HWND page)
{
    return page != nullptr ? FindWindowExA(page, nullptr, "#32770", nullptr) : nullptr;
}

void SetItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The copy page (its caption is the background window's too: it has the gauge).
HWND CopyPage(const CSetupRun& setup)
{
    return setup.WaitFor("Velmo Screen Saver Setup", IDC_COPY_GAUGE);
}

// The percentage at the end of the copy page's destination text, or -1.
int ShownPercent(HWND copyPage)
{
    const std::string text = Text(GetDlgItem(copyPage, IDC_COPY_DESTINATION));
    const size_t open = text.rfind(" (");
    if (open == std::string::npos || text.size() < open + 4 || text.back() != ')')
        return -1;
    return std::atoi(text.c_str() + open + 2);
}

// Welcome, then Next on the destination page as proposed.
bool ThroughDestination(const CSetupRun& setup, const CDisketteSet& set)
{
    HWND page = nullptr;
    std::string proposed = set.Target();
    proposed.pop_back();
    return LeaveWelcome(setup, IDC_NEXT) &&
           Check((page = setup.WaitFor("Select Directory")) != nullptr,
                 "the destination page shows") &&
           HasText(page, IDC_LOCATION, proposed.c_str(), "it proposes destination 0 on C:") &&
           Click(ButtonBar(page), IDC_NEXT);
}

// The values of the user's desktop key named Scrnsave.exe in any case, as name=data.
std::string ScreenSaverValues()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "(no key)";
    std::string values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[512];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        if (lstrcmpiA(name, "Scrnsave.exe") == 0)
            values += std::string(name) + "=" + reinterpret_cast<char*>(data) + ";";
    }
    RegCloseKey(key);
    return values;
}

std::string ExpectedScreenSaver()
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    return std::string("Scrnsave.exe=") + system + "\\VelmoSaver.scr;";
}

// The warning "Cannot install files from 'SAVER.ARC':" about the damaged
// archive, visible and in front; answered Continue (OK) or Cancel Operation.
bool AnswerDamage(const CSetupRun& setup, bool goOn)
{
    HWND warning = setup.WaitFor("Warning", IDC_WARNING_INFO);
    if (!Check(warning != nullptr, "Setup reports the damaged archive") ||
        !HasText(warning, IDC_WARNING_HEADLINE,
                 "Cannot install files from 'SAVER.ARC':", "headline string 17") ||
        !HasText(warning, IDOK, "Continue Operation", "it offers to continue"))
        return false;
    HWND foreground = GetForegroundWindow();
    if (!Check(IsWindowVisible(warning) &&
                   (foreground == warning || GetParent(foreground) == warning),
               "the warning is visible and in front"))
        return false;
    return Click(warning, goOn ? IDOK : IDCANCEL);
}

bool DamagedArchive(CSetupRun& setup, bool batch, bool goOn)
{
    CDisketteSet set(setup);
    set.Damage();
    if (!set.Packed() || !setup.StartProgram(set.Disk1() + "SETUP.EXE", batch ? "/B" : "") ||
        (!batch && !ThroughDestination(setup, set)) || !AnswerDamage(setup, goOn))
        return false;
    // Continue Operation passes over the archive and installs the rest; Cancel
    // Operation installs nothing after it.
    bool ended = batch ? setup.EndsReporting(goOn)
                       : (goOn ? EndOnFinished(setup) : EndOnNotInstalled(setup));
    return ended && (goOn ? set.Installed(set.Target(), {"README.TXT", "NOTES.TXT"})
                          : set.Installed(set.Target(), {"README.TXT"}));
}

// From A:, the second diskette asked for by label while BIG.DAT is half copied.
bool DriveA(CSetupRun& setup)
{
    CDisketteSet set(setup, 180000);
    HWND copy = nullptr, prompt = nullptr;
    bool ok = set.Packed() && Check(InsertDiskette(set.Disk1()), "diskette 1 is in drive A:") &&
              setup.StartProgram("A:\\SETUP.EXE", "") && ThroughDestination(setup, set) &&
              (copy = CopyPage(setup)) != nullptr &&
              Check((prompt = setup.WaitFor("Insert Diskette", IDC_DISKETTE_REQUEST)) != nullptr,
                    "Setup asks for the next diskette") &&
              HasText(prompt, IDC_DISKETTE_REQUEST,
                      "Please insert the diskette labelled 'E2E Disk 2' in drive A:",
                      "by its label, in drive A:");
    if (!ok)
        return false;
    const int percent = ShownPercent(copy);
    ok = Check(percent > 0 && percent < 100, "the copy page shows BIG.DAT part copied",
               Text(GetDlgItem(copy, IDC_COPY_DESTINATION)));
    // OK while the first diskette is still in: refused, the prompt stays.
    ok = ok && Click(prompt, IDOK);
    Sleep(500);
    return ok &&
           Check(setup.Find("Insert Diskette", IDC_DISKETTE_REQUEST) != nullptr,
                 "OK is refused while the file is missing") &&
           Check(InsertDiskette(set.Disk2()), "diskette 2 is in drive A:") && Click(prompt, IDOK) &&
           EndOnFinished(setup) && set.Installed(set.Target(), kAll);
}

// Cancel on the copy page answered No: the copy goes on. (Answered Yes, and
// Cancel on the prompt, are rows of the fault table, which also checks the
// user's files.)
bool CancelCopy(CSetupRun& setup)
{
    CDisketteSet set(setup, 0, true);
    HWND copy = nullptr, prompt = nullptr, question = nullptr;
    bool ok = set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "") &&
              ThroughDestination(setup, set) && (copy = CopyPage(setup)) != nullptr &&
              Check((prompt = setup.WaitFor("Insert Diskette", IDC_DISKETTE_REQUEST)) != nullptr,
                    "Setup asks for the diskette with BIGPLAIN.DAT");
    if (!ok)
        return false;
    // Cancel on the copy page while the prompt waits; the file then arrives.
    PostCommand(copy, IDCANCEL);
    WriteFileText(set.Disk1() + "BIGPLAIN.DAT", CDisketteSet::Big());
    ok = Click(prompt, IDOK) &&
         Check((question = setup.WaitFor("VelmoSaver Setup", IDYES)) != nullptr,
               "the next block asks whether to exit") &&
         Click(question, IDNO);
    if (!ok)
        return false;
    return EndOnFinished(setup) &&
           set.Installed(set.Target(), {"BIGPLAIN.DAT", "README.TXT", "BIG.DAT", "NOTES.TXT"});
}

// Makes Wine report version (win95, nt40, nt351) to program exe while it lives.
class CAppVersion {
public:
    CAppVersion(const std::string& exe, const char* version)
        : m_key("Software\\Wine\\AppDefaults\\" + exe)
    {
        HKEY key;
        RegCreateKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(strlen(version) + 1));
        RegCloseKey(key);
    }
    ~CAppVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str()); }
    CAppVersion(const CAppVersion&) = delete;
    CAppVersion& operator=(const CAppVersion&) = delete;

private:
    std::string m_key;
};

// The shortcut to BIG.DAT in the program folder under the user's Programs folder.
std::string ShortcutFile()
{
    return ProgramsFolder() + "\\My PM Group\\" + CDisketteSet::ShortcutName() + ".lnk";
}

// An unattended run of the set reporting version 4.0 (NT or not): the link
// in the program folder, and System95 only where it is not NT.
bool ShortcutsOnVersion4(CSetupRun& setup, const char* version, bool nt)
{
    CDisketteSet set(setup);
    const std::string exe = "VS" + std::to_string(GetCurrentProcessId());
    set.ForPlatform(exe);
    CAppVersion appVersion(exe + ".EXE", version);
    const std::string link = ShortcutFile();
    std::vector<std::string> expected = kAll;
    if (!nt)
        expected.push_back("SYS95.TXT");
    bool ok = set.Packed() && setup.StartProgram(set.Disk1() + exe + ".EXE", "/B") &&
              setup.EndsReporting(true) && set.Installed(set.Target(), expected);
    const std::string fields = ReadShortcut(link);
    DeleteFileA(link.c_str());
    return ok && Check(fields == set.Target() + "BIG.DAT|/s|" + CDisketteSet::ShortcutName() +
                                     "||" + "|1",
                       "the link holds path, arguments and description, nothing else", fields);
}

} // namespace

// Interactively: the proposal, Back and forward keeping the text, a path that
// cannot be created, a deep path created in full, the copy, the screen saver
// registered in place of an old value, the finished page.
bool InstallInteractively(CSetupRun& setup)
{
    CDisketteSet set(setup);
    HKEY desktop;
    RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &desktop, nullptr);
    RegSetValueExA(desktop, "SCRNSAVE.EXE", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\x.scr"),
                   9);
    RegCloseKey(desktop);

    const std::string deep = set.Target() + "deep\\er";
    HWND page = nullptr, box = nullptr;
    bool ok =
        set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "") &&
        LeaveWelcome(setup, IDC_NEXT) &&
        Check((page = setup.WaitFor("Select Directory")) != nullptr, "the destination page shows");
    if (!ok)
        return false;
    SetItemText(page, IDC_LOCATION, deep);
    ok = Click(ButtonBar(page), IDC_BACK) && Check(setup.WaitFor("Welcome") != nullptr, "Back") &&
         Click(ButtonBar(setup.WaitFor("Welcome")), IDC_NEXT) &&
         Check(setup.WaitFor("Select Directory") == page, "forward again") &&
         HasText(page, IDC_LOCATION, deep.c_str(), "the page keeps the text");
    if (!ok)
        return false;
    SetItemText(page, IDC_LOCATION, set.Target() + "bad|name");
    ok = Click(ButtonBar(page), IDC_NEXT) &&
         Check((box = setup.WaitFor("VelmoSaver Setup", IDOK)) != nullptr &&
                   Text(GetDlgItem(box, 0xFFFF)) == "Cannot Create Directory",
               "a path that cannot be created gives string 7") &&
         Click(box, IDOK) && setup.WaitGone("VelmoSaver Setup", 0xFFFF) &&
         Check(setup.Find("Select Directory") == page, "the page stays");
    if (!ok)
        return false;
    SetItemText(page, IDC_LOCATION, deep);
    return Click(ButtonBar(page), IDC_NEXT) && EndOnFinished(setup) &&
           set.Installed(deep + "\\", kAll) &&
           Check(ScreenSaverValues() == ExpectedScreenSaver(),
                 "one Scrnsave.exe names the saver in the System directory", ScreenSaverValues());
}

// The folder browser from a path whose tail does not exist: it opens in the
// deepest folder there is, the Path follows the folder opened, OK takes it,
// Cancel leaves the location alone.
bool BrowseForFolder(CSetupRun& setup)
{
    CDisketteSet set(setup);
    HWND page = nullptr, browser = nullptr, list = nullptr;
    bool ok = set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "") &&
              LeaveWelcome(setup, IDC_NEXT) &&
              (page = setup.WaitFor("Select Directory")) != nullptr;
    if (!ok)
        return false;
    SetItemText(page, IDC_LOCATION, "C:\\windows\\no-such\\deeper");
    PostCommand(page, IDC_BROWSE);
    ok = Check((browser = setup.WaitFor("Change Folder")) != nullptr, "Browse opens the browser") &&
         HasText(browser, IDC_FOLDER_PATH, "C:\\windows\\no-such\\deeper",
                 "Path shows the location");
    if (!ok)
        return false;
    list = GetDlgItem(browser, IDC_FOLDER_LIST);
    const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>("[system32]"));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(browser, WM_COMMAND, MAKEWPARAM(IDC_FOLDER_LIST, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    ok = Check(index >= 0, "it opens in C:\\windows, whose folders it lists") &&
         HasText(browser, IDC_FOLDER_PATH, "c:\\windows\\system32", "Path follows the folder") &&
         Click(browser, IDOK) && setup.WaitGone("Change Folder") &&
         HasText(page, IDC_LOCATION, "c:\\windows\\system32", "OK takes the folder");
    if (!ok)
        return false;
    // On a drive that is not there no folder on the way exists: the browser
    // opens in the root of the first fixed disk; Cancel keeps the location.
    SetItemText(page, IDC_LOCATION, "Q:\\nothing\\here");
    PostCommand(page, IDC_BROWSE);
    HWND box;
    return Check((browser = setup.WaitFor("Change Folder")) != nullptr, "Browse on drive Q:") &&
           Check(SendMessageA(GetDlgItem(browser, IDC_FOLDER_LIST), LB_FINDSTRINGEXACT,
                              static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("[windows]")) >= 0,
                 "it opens in C:\\, whose folders it lists") &&
           Click(browser, IDCANCEL) && setup.WaitGone("Change Folder") &&
           HasText(page, IDC_LOCATION, "Q:\\nothing\\here", "Cancel changes nothing") &&
           Click(ButtonBar(page), IDCANCEL) &&
           (box = setup.WaitFor("VelmoSaver Setup", IDYES)) != nullptr && Click(box, IDYES) &&
           EndOnNotInstalled(setup);
}

// Unattended from DISK01 with the archive continuing in DISK02: no prompt.
bool InstallFromDisketteDirectories(CSetupRun& setup)
{
    CDisketteSet set(setup);
    return set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "/B") &&
           setup.EndsReporting(true) && set.Installed(set.Target(), kAll);
}

bool InstallFromDriveA(CSetupRun& setup)
{
    return DriveA(setup);
}

bool CancelCopyAnsweredNo(CSetupRun& setup)
{
    return CancelCopy(setup);
}

bool DamagedArchiveContinue(CSetupRun& setup)
{
    return DamagedArchive(setup, false, true);
}

bool DamagedArchiveCancel(CSetupRun& setup)
{
    return DamagedArchive(setup, false, false);
}

bool DamagedArchiveContinueUnattended(CSetupRun& setup)
{
    return DamagedArchive(setup, true, true);
}

bool DamagedArchiveCancelUnattended(CSetupRun& setup)
{
    return DamagedArchive(setup, true, false);
}

// An older BIG.DAT held open by another program: the new one waits beside it
// under its temporary name until the system restarts (wineboot -r).
bool FileInUseReplacedAtRestart(CSetupRun& setup)
{
    CDisketteSet set(setup);
    CreateDirectoryA(set.Target().c_str(), nullptr);
    const std::string big = set.Target() + "BIG.DAT";
    WriteFileText(big, "the user's old copy");
    HANDLE old =
        CreateFileA(big.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME longAgo = {0x18D64000, 0x01B41E2A}; // 1 January 1990
    HANDLE timed =
        CreateFileA(big.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    SetFileTime(timed, nullptr, nullptr, &longAgo);
    CloseHandle(timed);

    bool ok = set.Packed() && setup.StartProgram(set.Disk1() + "SETUP.EXE", "/B") &&
              setup.EndsReporting(true);
    std::vector<std::string> names = ListDirectory(set.Target());
    const bool waiting = std::count_if(names.begin(), names.end(), [](const std::string& n) {
                             return n.size() == 12 && n.substr(8) == ".DAT" && n != "BIG.DAT";
                         }) == 1;
    ok = ok && Check(ReadFileText(big) == "the user's old copy", "the file in use is untouched") &&
         Check(waiting, "the new copy waits beside it");
    CloseHandle(old);
    return ok && Check(RunProgram("wineboot.exe -r", setup.Dir()), "the system restarts") &&
           set.Installed(set.Target(), kAll);
}

bool ShortcutsOnWindows95(CSetupRun& setup)
{
    return ShortcutsOnVersion4(setup, "win95", false);
}

bool ShortcutsOnWindowsNT4(CSetupRun& setup)
{
    return ShortcutsOnVersion4(setup, "nt40", true);
}

// Version 3.51 of NT: the program item goes to Program Manager over DDE (the
// stand-in beside the program is started, as progman.exe would be), and no
// link is written; System95 is left out.
bool ShortcutsOnWindowsNT351(CSetupRun& setup)
{
    CDisketteSet set(setup);
    const std::string exe = "VS" + std::to_string(GetCurrentProcessId());
    set.ForPlatform(exe);
    CAppVersion appVersion(exe + ".EXE", "nt351");
    char driver[MAX_PATH];
    GetModuleFileNameA(nullptr, driver, MAX_PATH);
    std::string stub = driver;
    stub = stub.substr(0, stub.rfind('\\') + 1) + "..\\stubs\\progman\\progman.exe";
    CopyFileA(stub.c_str(), (set.Disk1() + "progman.exe").c_str(), FALSE);
    const std::string log = setup.Dir() + "progman.log";
    SetEnvironmentVariableA("PROGMAN_TEST_LOG", log.c_str());

    const std::string name = CDisketteSet::ShortcutName();
    const std::string expected = "start\n[CreateGroup (\"My PM Group\")]\n[ReplaceItem (" + name +
                                 ")]\n[AddItem (" + set.Target() + "BIG.DAT /s,\"" + name +
                                 "\",,0,-1,-1,,,0)]\n";
    bool ok = set.Packed() && setup.StartProgram(set.Disk1() + exe + ".EXE", "/B") &&
              setup.EndsReporting(true) && set.Installed(set.Target(), kAll);
    const std::string commands = ReadFileText(log);
    return ok &&
           Check(commands.compare(0, expected.size(), expected) == 0,
                 "Program Manager receives the group and the item", commands) &&
           Check(!FileExists(ShortcutFile()), "no link is written");
}
