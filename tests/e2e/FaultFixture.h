#pragma once
// The starting point of every row of the fault table: a two-diskette set
// packed with mkarc.exe, and a destination directory that already holds the
// user's older files with known contents.
//   DISK01  SETUP.EXE, SETUP.ini, the status library, README.TXT (plain) and
//           the first piece of SAVER.ARC
//   DISK02  the rest of SAVER.ARC (saver.ard) and NOTES.TXT (plain)
// SAVER.ARC holds BIG.DAT and LICENSE.TXT, both for destination 0.
// The user's files: README.TXT and BIG.DAT older than the new ones (replaced
// by a whole installation), NOTES.TXT newer (kept), MYWORK.DOC the user's own.
#include <map>
#include <string>
#include <vector>

class CSetupRun;

class CFaultFixture {
public:
    // What a file of the destination must hold at the end of a row.
    enum Version { verOld, verNew, verOldOrNew, verAbsent };
    using Expected = std::map<std::string, Version>;

    struct Options {
        // The destination is C:\velmo-fault-disk, a file system of its own
        // that the test mounts (it stays; its files go).
        bool mounted = false;
        // Directories below the run's own destination C:\<name>\, if any.
        std::string below;
        // The user's files are there already (the directory is read-only).
        bool seeded = false;
        // SAVER.ARC in one piece on DISK01 (no saver.ard).
        bool onePiece = false;
    };

    CFaultFixture(const CSetupRun& setup, const Options& options);
    ~CFaultFixture();
    CFaultFixture(const CFaultFixture&) = delete;
    CFaultFixture& operator=(const CFaultFixture&) = delete;

    // Writes the user's older files into directory dir (ending in a backslash).
    static bool WriteUserFiles(const std::string& dir);

    bool Packed() const;
    const std::string& Disk1() const { return m_disk1; }
    const std::string& Disk2() const { return m_disk2; }
    // Destination 0, with a trailing backslash.
    const std::string& Target() const { return m_target; }
    void WriteProfile(const std::string& text) const;

    // What a whole installation leaves in the destination.
    static Expected Installed();
    // The destination as it was before the run.
    static Expected Untouched();

    // The destination holds exactly the expected files (and, with
    // scheduled, as many files waiting under a temporary name), each
    // byte-identical to its old or new version as expected; every file
    // the user had is one or the other in any case.
    bool Holds(const Expected& expected, size_t scheduled = 0) const;

private:
    std::string m_disk1;
    std::string m_disk2;
    std::string m_target;
    std::string m_top; // the tree removed at the end, if any
    bool m_packed = false;
};
