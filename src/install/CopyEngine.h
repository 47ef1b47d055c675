#pragma once
// CCopyEngine: puts the files of the install items in place. For each item it
// makes sure the source file can be reached (asking for the diskette), then
// copies the plain file or extracts every member of the archive into a
// temporary file beside its target, and keeps the newer of the new and the
// existing copy; a copy in use is replaced at the next system start. Items
// fail one at a time: the user decides whether the others are installed.

#include <cstdint>
#include <string>

#include "profile/DisketteMultiFile.h"

class CCopyProgress;
class CFilePath;
class CMultiFileMember;

class CCopyEngine : public CDisketteMultiFile::CSite {
public:
    explicit CCopyEngine(CCopyProgress& progress);

    // Installs one item and reports its own failures: a cancel (of the
    // diskette prompt or of the copy) ends the run as not installed, without
    // a message; any other failure asks "Continue Operation" (the next item
    // follows) or "Cancel Operation" (the run ends as failed). The item's file
    // is closed afterwards.
    void InstallItem(CDisketteMultiFile& item);
    // The item's open source file, as one member.
    void InstallPlainFile(CDisketteMultiFile& item, const CFilePath& source);
    // Every member of the item's open archive; members not to be installed are
    // passed over. Stops between members once the run has failed.
    void InstallArchive(CDisketteMultiFile& item);
    // Extracts the member into a temporary file in its destination directory,
    // then keeps the newer copy (FinalizeFile), and records the installed path
    // of a file that has a shortcut target. A temporary file whose extraction
    // failed is removed. Exceptions pass through; CFileException when every
    // temporary name tried is taken (nothing is written then).
    void InstallFile(CMultiFileMember& member);
    // Puts the extracted member (its destination, a temporary file) in place
    // of the existing copy when it is newer, or discards it. The existing copy
    // is the target, or for the Windows and System destinations the first one
    // found in the Windows and then the System directory; one found in the
    // Windows directory for the System directory is replaced and then moved
    // over the target, unless the target is a copy that is not older (then
    // the new copy is discarded and both stay as they were). The existing copy
    // is never lost: it stays as it was or is wholly replaced; one in use is
    // replaced at the next system start. A copy that can be put in place
    // neither now nor at the next start throws CFileException (the system's
    // error), the temporary file removed and the existing copy as it was.
    void FinalizeFile(CMultiFileMember& member);
    // True when newFile is to replace existing: by version resource when
    // either has one (a file with a version beats one without), else by
    // modification time (equal times keep the existing file).
    static bool IsNewerThan(const char* newFile, const char* existing);

    void OnItemBlockEnd(CDisketteMultiFile& item) override;
    std::string FindNextPiece(const char* name, int n) override;

private:
    CCopyProgress& m_progress;
};
