// The sample product as its vendor ships it: the diskette set that mkdisks
// lays out from sample/velmo.ini, installed with the real status library
// unattended from the diskette directories, as an administrator deploys from
// a share, then once more over the installed product. (Drive A: and the
// prompt for diskette 2 are the row drive-a's; make demo drives this set page
// by page with pictures, sample/demo.)
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SampleInstallation.h"
#include "SetupRun.h"

namespace {

// Unattended from DISK01; the status file, once it ends, is this run's.
bool Run(CSetupRun& setup)
{
    DeleteFileA(SampleStatusFile().c_str());
    return setup.Start(SampleDisk(setup.Programs(), 1) + "SETUP.EXE", "/B") && setup.Ends();
}

// Every file is byte for byte the vendor's, the shortcuts lead to the
// installed files, the screen saver is the user's.
bool Installed(const CPrograms& programs)
{
    bool ok = true;
    for (const CSampleFile& file : SampleFiles(programs))
        ok = Check(FileExists(file.installed) &&
                       ReadWholeFile(file.installed) == ReadWholeFile(file.payload),
                   file.installed + " is byte for byte the vendor's file") &&
             ok;
    ok = Check(ScreenSaverValues() == "Scrnsave.exe=" + SystemDirectory() + "\\VelmoSaver.scr;",
               "the screen saver is the user's", ScreenSaverValues()) &&
         ok;
    const std::string saver = SampleFiles(programs)[0].installed,
                      readme = SampleFiles(programs)[2].installed;
    for (const auto& link : {std::make_pair("Velmo Screen Saver", saver + "|/s|Velmo Screen Saver"),
                             std::make_pair("Velmo Read Me", readme + "||Velmo Read Me")}) {
        const std::string fields = ReadShortcut(SampleShortcut(link.first));
        ok =
            Check(lstrcmpiA(fields.substr(0, link.second.size()).c_str(), link.second.c_str()) == 0,
                  std::string(link.first) + " leads to the installed file", fields) &&
            ok;
    }
    return ok;
}

// What the second run may change of an installed file: a copy put in its
// place is another file (index), or has another time.
std::string StateOf(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info;
    if (file == INVALID_HANDLE_VALUE)
        return "(none)";
    const bool known = GetFileInformationByHandle(file, &info) != FALSE;
    CloseHandle(file);
    if (!known)
        return "(unknown)";
    return std::to_string(info.nFileIndexHigh) + ":" + std::to_string(info.nFileIndexLow) + "@" +
           std::to_string(info.ftLastWriteTime.dwHighDateTime) + ":" +
           std::to_string(info.ftLastWriteTime.dwLowDateTime) + "#" + ReadWholeFile(path);
}

// Unattended over the installed product, the installed screen saver and
// licence first dated 1990: the licence (no version) is replaced, the screen
// saver (the same version) is kept, as is README.TXT (the same time).
bool SecondRun(CSetupRun& setup)
{
    const std::vector<CSampleFile> files = SampleFiles(setup.Programs());
    bool ok = Check(SetWriteTime(files[0].installed, kYear1990) &&
                        SetWriteTime(files[1].installed, kYear1990),
                    "the installed screen saver and licence are dated 1990");
    std::vector<std::string> before;
    for (const CSampleFile& file : files)
        before.push_back(StateOf(file.installed));
    ok = ok && Run(setup);
    const std::string mif = ReadWholeFile(SampleStatusFile());
    const size_t value = mif.find("VALUE = \"", mif.find("NAME = \"Status\""));
    ok = ok && Check(value != std::string::npos && mif.compare(value + 9, 8, "Success\"") == 0,
                     "the status file says Success");
    const char* rule[] = {"kept: its version is not newer",
                          "replaced: the installed copy was older", "kept: its time is not newer"};
    for (size_t i = 0; i < files.size(); ++i) {
        const bool kept = StateOf(files[i].installed) == before[i];
        ok = Check(kept == (i != 1), rule[i]) &&
             Check(ReadWholeFile(files[i].installed) == ReadWholeFile(files[i].payload),
                   "its bytes are the vendor's") &&
             ok;
    }
    std::vector<std::string> docs = ListDirectory(std::string(kSampleDestination) + "\\DOCS");
    std::sort(docs.begin(), docs.end());
    return Check(ListDirectory(kSampleDestination) == std::vector<std::string>{"DOCS"} &&
                     docs == std::vector<std::string>{"LICENSE.TXT", "README.TXT"},
                 "no temporary file is left in C:\\VELMO") &&
           ok;
}

} // namespace

bool SampleRow(CSetupRun& setup)
{
    if (!Check(!setup.Programs().diskettes.empty() && !setup.Programs().payload.empty(),
               "the sample's diskette set and payload are named"))
        return false;
    // The status library is the one on the diskettes.
    DeleteFileA((setup.Dir() + "ismif32.dll").c_str());
    RemoveSampleInstallation(setup.Programs());
    return Run(setup) && Installed(setup.Programs()) && SecondRun(setup);
}
