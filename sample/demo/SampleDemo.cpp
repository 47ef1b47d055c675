// The demo's drive of the sample product (scripts/demo runs it on a Wine
// desktop under Xvfb): the diskette set that mkdisks lays out from
// sample/velmo.ini, taken from the floppy images, installed from drive A: as a
// user would, page by page, then once more unattended over the installed
// product, with the end-to-end harness's page helpers. With SETUP_PICTURES set
// it takes a picture of every page (ScreenPictures.h), and it prints what it
// finds installed. The end-to-end row "sample" checks the same installation.
//   sample_demo SETUP.EXE ISMIF32.DLL DISKETTES PAYLOAD

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ScreenPictures.h"
#include "SampleInstallation.h"
#include "SetupRun.h"
#include "res/resource.h"

namespace {

// The value of attribute name in the status file, or "(none)".
std::string StatusValue(const std::string& name)
{
    const std::string mif = ReadWholeFile(SampleStatusFile());
    const size_t attribute = mif.find("NAME = \"" + name + "\"");
    const size_t value = mif.find("VALUE = \"", attribute);
    if (attribute == std::string::npos || value == std::string::npos)
        return "(none)";
    const size_t start = value + 9;
    return mif.substr(start, mif.find('"', start) - start);
}

// The program ends, and the status library wrote the outcome into the Windows directory.
bool EndsWithStatus(const CSetupRun& setup, const char* status)
{
    return setup.Ends() &&
           Check(StatusValue("Status") == status,
                 (std::string("the status file says ") + status).c_str(), StatusValue("Status"));
}

// Prints the status file's outcome and message with format.
void Report(const char* format)
{
    std::printf(format, StatusValue("Status").c_str(), StatusValue("Description").c_str());
}

// The Insert Diskette prompt asking for the sample's diskette 2 by its label.
HWND DisketteTwoPrompt(const CSetupRun& setup)
{
    HWND prompt = setup.WaitFor("Insert Diskette", IDC_DISKETTE_REQUEST);
    return Check(prompt != nullptr, "Setup asks for the next diskette") &&
                   HasText(prompt, IDC_DISKETTE_REQUEST,
                           "Please insert the diskette labelled 'Velmo Disk 2' in drive A:",
                           "by its label, in drive A:")
               ? prompt
               : nullptr;
}

// Diskette 2 goes into drive A: and the prompt is answered OK.
bool ChangeToDiskTwo(const CSetupRun& setup, HWND prompt)
{
    return Check(InsertDiskette(SampleDisk(setup.Programs(), 2)), "diskette 2 is in drive A:") &&
           Click(prompt, IDOK) && setup.WaitGone("Insert Diskette", IDC_DISKETTE_REQUEST);
}

// For the pictures only: the prompt moved below the copy page, as a user
// would drag it, so that the gauge shows.
bool GaugePicture(HWND copyPage, HWND prompt, CScreenPictures& pictures)
{
    if (!pictures.Enabled())
        return true;
    RECT page, box;
    GetWindowRect(copyPage, &page);
    GetWindowRect(prompt, &box);
    SetWindowPos(prompt, nullptr, box.left, page.bottom + 8, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return pictures.Take("copy-gauge");
}

// Cancel on the welcome page, Yes to the question: not installed, nothing copied.
bool CancelledRun(CSetupRun& setup, CScreenPictures& pictures)
{
    std::printf("run 1: from drive A:, cancelled on the welcome page\n");
    HWND box = nullptr, page = nullptr;
    return Check(InsertDiskette(SampleDisk(setup.Programs(), 1)), "diskette 1 is in drive A:") &&
           setup.Start("A:\\SETUP.EXE", "") &&
           setup.WaitFor("Velmo Screen Saver Setup") != nullptr &&
           setup.WaitFor("Welcome") != nullptr && pictures.Take("welcome") &&
           LeaveWelcome(setup, IDCANCEL) &&
           Check((box = setup.WaitFor("VelmoSaver Setup", IDYES)) != nullptr,
                 "Setup asks whether to exit") &&
           pictures.Take("exit-question") && Click(box, IDYES) &&
           (page = NotInstalledPage(setup)) != nullptr && pictures.Take("not-installed") &&
           Click(page, IDOK) && EndsWithStatus(setup, "Failed") &&
           Check(!FileExists(kSampleDestination), "nothing was installed") &&
           (Report("  not installed; status file: %s, \"%s\"\n"), true);
}

// Every page in turn: welcome, the destination as proposed, the folder
// browser opened and cancelled, the copy with the prompt for diskette 2, the
// finished page.
bool InteractiveRun(CSetupRun& setup, CScreenPictures& pictures)
{
    std::printf("run 2: from drive A:, page by page, diskette 2 inserted when asked for\n");
    DeleteFileA(SampleStatusFile().c_str());
    HWND page = nullptr, browser = nullptr, copy = nullptr, prompt = nullptr, finished = nullptr;
    bool ok = Check(InsertDiskette(SampleDisk(setup.Programs(), 1)), "diskette 1 is in drive A:") &&
              setup.Start("A:\\SETUP.EXE", "") && LeaveWelcome(setup, IDC_NEXT) &&
              Check((page = setup.WaitFor("Select Directory")) != nullptr,
                    "the destination page shows") &&
              HasText(page, IDC_LOCATION, kSampleDestination, "it proposes C:\\VELMO") &&
              pictures.Take("destination");
    if (!ok)
        return false;
    PostCommand(page, IDC_BROWSE);
    ok = Check((browser = setup.WaitFor("Change Folder")) != nullptr, "Browse opens the browser") &&
         pictures.Take("folder-browser") && Click(browser, IDCANCEL) &&
         setup.WaitGone("Change Folder") &&
         HasText(page, IDC_LOCATION, kSampleDestination, "Cancel keeps the location") &&
         Click(ButtonBar(page), IDC_NEXT) &&
         Check((copy = setup.WaitFor("Velmo Screen Saver Setup", IDC_COPY_GAUGE)) != nullptr,
               "the copy page shows") &&
         (prompt = DisketteTwoPrompt(setup)) != nullptr && pictures.Take("insert-diskette") &&
         GaugePicture(copy, prompt, pictures) && ChangeToDiskTwo(setup, prompt) &&
         (finished = FinishedPage(setup)) != nullptr && pictures.Take("finished") &&
         Click(finished, IDOK);
    // The status library is on diskette 1 only, and diskette 2 is in the
    // drive as the program ends: the library is not found then, and no status
    // is written. This run does not check the status; it says what it finds.
    if (!ok || !setup.Ends())
        return false;
    if (FileExists(SampleStatusFile())) {
        Report("  status file: %s, \"%s\"\n");
        return true;
    }
    std::printf("  no status file: the status library is on diskette 1, and diskette 2 is in "
                "the drive as the program ends\n");
    return true;
}

// Every file of the typical installation is there and equals its payload
// file; the shortcuts lead to the installed files; the screen saver is the
// user's. Prints what it finds.
bool Installed(const CPrograms& programs)
{
    std::printf("  installed:\n");
    bool ok = true;
    for (const CSampleFile& file : SampleFiles(programs)) {
        const std::string bytes = ReadWholeFile(file.installed);
        std::string version = "no version";
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(file.installed.c_str(), &ignored);
        std::vector<char> info(size);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT fixedSize = 0;
        if (size > 0 && GetFileVersionInfoA(file.installed.c_str(), 0, size, info.data()) &&
            VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) &&
            fixed != nullptr)
            version = "version " + std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                      std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                      std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                      std::to_string(LOWORD(fixed->dwFileVersionLS));
        std::printf("    %-40s %7u bytes, %s\n", file.installed.c_str(),
                    static_cast<unsigned>(bytes.size()), version.c_str());
        ok = Check(FileExists(file.installed) && bytes == ReadWholeFile(file.payload),
                   "it is there, byte for byte the vendor's file") &&
             ok;
    }
    char saver[MAX_PATH] = "";
    DWORD saverSize = sizeof saver;
    RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Scrnsave.exe", RRF_RT_REG_SZ,
                 nullptr, saver, &saverSize);
    std::printf("    HKEY_CURRENT_USER\\Control Panel\\Desktop Scrnsave.exe = %s\n", saver);
    ok = Check(lstrcmpiA(saver, (SystemDirectory() + "\\VelmoSaver.scr").c_str()) == 0,
               "the screen saver is the user's") &&
         ok;

    const struct {
        const char* caption;
        std::string fields;
    } shortcuts[] = {
        {"Velmo Screen Saver", SampleFiles(programs)[0].installed + "|/s|Velmo Screen Saver"},
        {"Velmo Read Me", SampleFiles(programs)[2].installed + "||Velmo Read Me"}};
    for (const auto& shortcut : shortcuts) {
        const std::string fields = ReadShortcut(SampleShortcut(shortcut.caption));
        const std::string target = fields.substr(0, fields.find('|'));
        std::printf("    shortcut Programs\\%s\\%s -> %s\n", kSampleProgramFolder, shortcut.caption,
                    target.c_str());
        ok = Check(lstrcmpiA(fields.substr(0, shortcut.fields.size()).c_str(),
                             shortcut.fields.c_str()) == 0,
                   "it leads to the installed file", fields) &&
             ok;
    }
    return ok;
}

// What the second run may change of an installed file.
struct FileState {
    bool exists = false;
    DWORD indexHigh = 0, indexLow = 0; // a copy put in its place is another file
    FILETIME written = {};
    std::string bytes;
};

struct HandleClose {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

FileState StateOf(const std::string& path)
{
    FileState state;
    std::unique_ptr<void, HandleClose> file(CreateFileA(path.c_str(), GENERIC_READ,
                                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                        OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return state;
    }
    if (!GetFileInformationByHandle(file.get(), &info))
        return state;
    state.exists = true;
    state.indexHigh = info.nFileIndexHigh;
    state.indexLow = info.nFileIndexLow;
    state.written = info.ftLastWriteTime;
    state.bytes = ReadWholeFile(path);
    return state;
}

bool SameFile(const FileState& a, const FileState& b)
{
    return a.exists && b.exists && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow &&
           CompareFileTime(&a.written, &b.written) == 0 && a.bytes == b.bytes;
}

std::string SortedNames(const std::string& dir)
{
    std::vector<std::string> names = ListDirectory(dir);
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names)
        joined += name + " ";
    return joined;
}

// No file but the installed ones in the destination: no temporary copy left.
bool NoTemporaryFiles()
{
    const std::string found =
        SortedNames(kSampleDestination) + "| " + SortedNames(std::string(kSampleDestination) + "\\DOCS");
    return Check(found == "DOCS | LICENSE.TXT README.TXT ",
                 "no temporary file is left in C:\\VELMO", found);
}

// Unattended over the installed product, from the diskette directories as an
// administrator deploys from a share (the status library is found beside the
// program at the end). Before it, the installed LICENSE.TXT and the screen
// saver are made older by their times: the licence (no version) is replaced,
// the screen saver (the same version) is kept, as is README.TXT (the same time).
bool SecondRun(CSetupRun& setup)
{
    std::printf("run 3: unattended (/B) from the diskette directories over the installed "
                "product, the installed screen saver and licence first dated 1990\n");
    const std::vector<CSampleFile> files = SampleFiles(setup.Programs());
    bool ok = Check(SetWriteTime(files[0].installed, kYear1990) &&
                        SetWriteTime(files[1].installed, kYear1990),
                    "the installed screen saver and licence are dated 1990");
    std::vector<FileState> before;
    for (const CSampleFile& file : files)
        before.push_back(StateOf(file.installed));
    DeleteFileA(SampleStatusFile().c_str());
    ok = ok && setup.Start(SampleDisk(setup.Programs(), 1) + "SETUP.EXE", "/B") &&
         EndsWithStatus(setup, "Success");
    if (!ok)
        return false;
    const bool replaceExpected[] = {false, true, false};
    const char* why[] = {"its version is not newer", "the installed copy was older",
                         "its time is not newer"};
    for (size_t i = 0; i < files.size(); ++i) {
        const FileState after = StateOf(files[i].installed);
        const bool kept = SameFile(before[i], after);
        std::printf("    %-40s %s: %s\n", files[i].installed.c_str(),
                    kept ? "kept (the same file, bytes and time)" : "replaced",
                    kept != replaceExpected[i] ? why[i] : "it should NOT have been");
        ok = Check(kept != replaceExpected[i],
                   (std::string(replaceExpected[i] ? "replaced: " : "kept: ") + why[i]).c_str()) &&
             Check(after.bytes == ReadWholeFile(files[i].payload), "its bytes are the vendor's") &&
             ok;
    }
    const bool clean = NoTemporaryFiles();
    Report("  status file: %s, \"%s\"\n");
    return clean && ok;
}

} // namespace

bool SampleProduct(CSetupRun& setup)
{
    if (!Check(!setup.Programs().diskettes.empty() && !setup.Programs().payload.empty(),
               "the sample's diskette set and payload are named"))
        return false;
    CScreenPictures pictures;
    // The status library is the one on the diskettes, not a copy in the
    // program's current directory.
    DeleteFileA((setup.Dir() + "ismif32.dll").c_str());
    RemoveSampleInstallation(setup.Programs());
    return CancelledRun(setup, pictures) && InteractiveRun(setup, pictures) &&
           Installed(setup.Programs()) && SecondRun(setup);
}

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::printf("usage: sample_demo SETUP.EXE ISMIF32.DLL DISKETTES PAYLOAD\n");
        return 2;
    }
    bool passed;
    {
        CSetupRun setup(CPrograms{argv[1], argv[2], "", argv[3], argv[4]}, "demo");
        passed = SampleProduct(setup);
    }
    std::printf("sample: %s\n", passed ? "passed" : "FAILED");
    return passed ? 0 : 1;
}
