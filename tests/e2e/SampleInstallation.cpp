#include "SampleInstallation.h"

#include <windows.h>

const char kSampleDestination[] = "C:\\VELMO";
const char kSampleProgramFolder[] = "My PM Group";

std::string SystemDirectory()
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    return system;
}

std::string SampleStatusFile()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\velmosaver.MIF";
}

std::vector<CSampleFile> SampleFiles(const CPrograms& programs)
{
    const std::string payload = programs.payload + "\\";
    const std::string docs = std::string(kSampleDestination) + "\\DOCS\\";
    return {{SystemDirectory() + "\\velmosaver.scr", payload + "velmosaver.scr"},
            {docs + "LICENSE.TXT", payload + "LICENSE.TXT"},
            {docs + "README.TXT", payload + "README.TXT"}};
}

std::string SampleDisk(const CPrograms& programs, int number)
{
    return programs.diskettes + "\\DISK0" + std::to_string(number) + "\\";
}

std::string SampleShortcut(const char* caption)
{
    return ProgramsFolder() + "\\" + kSampleProgramFolder + "\\" + caption + ".lnk";
}

void RemoveSampleInstallation(const CPrograms& programs)
{
    RemoveTree(kSampleDestination);
    for (const CSampleFile& file : SampleFiles(programs))
        DeleteFileA(file.installed.c_str());
    DeleteFileA(SampleShortcut("Velmo Screen Saver").c_str());
    DeleteFileA(SampleShortcut("Velmo Read Me").c_str());
    DeleteFileA(SampleStatusFile().c_str());
    HKEY desktop;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE, &desktop) ==
        ERROR_SUCCESS) {
        RegDeleteValueA(desktop, "Scrnsave.exe");
        RegCloseKey(desktop);
    }
}
