#pragma once
// Where the sample product installs, for the end-to-end row "sample" and the
// demo, which drive the same set: the files of a typical installation, the
// shortcuts, the status file, and removing all of it before a first run.
#include <string>
#include <vector>

#include "SetupRun.h"

extern const char kSampleDestination[];   // "C:\VELMO"
extern const char kSampleProgramFolder[]; // the Start Menu group

// One file that a typical installation of the sample puts in place (Wine
// reports an NT version: no Windows 95 notes; the source code is not typical).
struct CSampleFile {
    std::string installed; // where
    std::string payload;   // the payload file it must equal
};

std::string SystemDirectory();
std::string SampleStatusFile(); // velmosaver.MIF in the Windows directory
// The saver, the licence and the read-me, in that order.
std::vector<CSampleFile> SampleFiles(const CPrograms& programs);
std::string SampleDisk(const CPrograms& programs, int number); // DISKnn of the set
std::string SampleShortcut(const char* caption);               // its .lnk
// Whatever an earlier run left, so that the first run installs afresh.
void RemoveSampleInstallation(const CPrograms& programs);
