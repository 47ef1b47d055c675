// Schedules two replacements for restart-test in directory argv[1]: saver.scr
// through ReplaceOnRestart (the system's delayed move, which must be taken:
// wininit.ini must not appear), and saver.dll through an entry in the
// [rename] section of wininit.ini in the Windows directory. Exit status 0
// when both were recorded.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "install/ReplaceOnRestart.h"

namespace {

bool WriteFile(const std::string& path, const char* text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

int Fail(const char* what)
{
    std::printf("restart_helper: %s (error %lu)\n", what, GetLastError());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return Fail("usage: restart_helper DIRECTORY");
    const std::string dir = std::string(argv[1]) + "\\";
    if (!WriteFile(dir + "saver.scr", "old saver") ||
        !WriteFile(dir + "1a2b3c4d.scr", "new saver") ||
        !WriteFile(dir + "saver.dll", "old library") ||
        !WriteFile(dir + "5e6f7a8b.dll", "new library"))
        return Fail("cannot write the files");

    CFilePath wininit(CFilePath::locWindows);
    wininit.SetFileName("wininit.ini");
    if (!ReplaceOnRestart((dir + "1a2b3c4d.scr").c_str(), (dir + "saver.scr").c_str()))
        return Fail("ReplaceOnRestart refused");
    if (wininit.Exists())
        return Fail("the delayed move was not taken: wininit.ini was written");
    if (!AddRenameEntry(wininit, (dir + "5e6f7a8b.dll").c_str(), (dir + "saver.dll").c_str()))
        return Fail("AddRenameEntry refused");
    return 0;
}
