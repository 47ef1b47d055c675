#include "install/ReplaceOnRestart.h"

#include <windows.h>

#include <string>

#include "install/IniEntryAdder.h"

bool ReplaceOnRestart(const char* source, const char* destination)
{
    // The destination exists (it is the file in use): without leave to
    // replace it, the move at the next start would fail and the new file
    // never arrive.
    if (MoveFileExA(source, destination, MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING))
        return true;
    // Windows 95 has no delayed move: its start-up processes wininit.ini instead.
    CFilePath wininit(CFilePath::locWindows);
    wininit.SetFileName("wininit.ini");
    return AddRenameEntry(wininit, source, destination);
}

bool AddRenameEntry(const CFilePath& wininit, const char* source, const char* destination)
{
    // The section names the file to be replaced first, its replacement second.
    CIniEntryAdder adder(wininit);
    return adder.AddEntry("rename", destination, source);
}
