#pragma once
// CDisketteSource: finds the files of the diskette set. A file is looked for
// in the source directory, then in the numbered sibling directory of its
// diskette (a set copied into DISK01, DISK02, ... is found without any
// question), and otherwise the user is asked for the diskette.

#include <string>

#include "support/FilePath.h"

class CDisketteArray;

class CDisketteSource {
public:
    // source: the source directory, which moves to a numbered sibling where a
    // file is found there; diskettes: the labels to ask for.
    CDisketteSource(CFilePath& source, const CDisketteArray& diskettes);
    virtual ~CDisketteSource();

    // True when file name of diskette n can now be opened in the source
    // directory; false when the user cancelled the prompt.
    bool EnsureSourceFile(const char* name, int n);

    // True when file is there. A diskette drive with no diskette in it would
    // make the system show its own critical-error box ("There is no disk in
    // the drive") before the Insert Diskette prompt and at every OK: the look
    // is made with those boxes turned off, and the error mode is restored
    // afterwards. Every look at the source drive, the prompt's included, goes
    // through here.
    bool Probe(const CFilePath& file) const;

    // The sibling of directory dir (drive and directory, no file) for diskette
    // n: its last two characters replaced by n as two digits. Empty when dir
    // does not end in a diskette number (two digits, not 00), as the root does.
    static std::string NumberedDirectory(const std::string& dir, int n);

protected:
    // Shows the Insert Diskette prompt for file path of diskette n; true when
    // it ended with OK (the file is there).
    virtual bool PromptForDiskette(const CFilePath& path, int n);
    // The look itself, made by Probe.
    virtual bool IsThere(const CFilePath& file) const;

private:
    CFilePath& m_source;
    const CDisketteArray& m_diskettes;
};
