#pragma once
// The one diskette set of the end-to-end rows, packed with mkarc.exe, and the
// destination it installs into:
//   DISK01  SETUP.EXE, SETUP.ini, the status library, README.TXT (plain),
//           SYS95.TXT (plain, group System95: Windows 95 only) and the first
//           piece of SAVER.ARC
//   DISK02  the rest of SAVER.ARC (saver.ard), NOTES.TXT (plain, last) and
//           the status library
// SAVER.ARC holds BIG.DAT (destination 0, running across the cut), SKIPPED.BIN
// (not installed) and LICENSE.TXT (destination 1, DOCS below destination 0).
// Group Extras, left out of the typical setup, lists a file no diskette holds.
// Targets named after the row: big.dat with arguments, extra.txt (never
// installed: no shortcut), readme.txt minimized with an icon file.
// The user's files, unless the row starts afresh: README.TXT and BIG.DAT
// older than the set's (replaced by a whole installation), NOTES.TXT newer
// (kept), MYWORK.DOC the user's own.
#include <string>

class CSetupRun;

// The files of the destination, as bits of what a row expects installed.
enum : unsigned {
    fileReadme = 1,
    fileBig = 2,
    fileLicense = 4,
    fileNotes = 8,
    fileSys95 = 16,
    fileBigPlain = 32,
    fileArchive = fileBig | fileLicense,
    fileAll = fileReadme | fileArchive | fileNotes, // a typical setup on NT
};

struct CSetOptions {
    enum Profile { profileGood, profileMissing, profileUnresolvable };
    enum Damage { damageNone, damageFlipped, damageCut };

    bool userFiles = true; // the destination holds the user's files
    // The destination is C:\velmo-fault-disk, a file system of its own that the
    // test mounts (it stays; its files go); seeded: the user's files are there.
    bool mounted = false;
    bool seeded = false;
    std::string below;          // destination 0 lies this far below the row's directory
    std::string into;           // the user puts the installation there, below destination 0
    bool onePiece = false;      // SAVER.ARC whole on DISK01
    Damage damage = damageNone; // bytes of BIG.DAT's data flipped, or the piece cut short
    bool missingPlain = false;  // BIGPLAIN.DAT listed first on DISK01, not there at the start
    bool disk2Away = false;     // DISK02 is elsewhere (SPARE): only the prompt finds it
    Profile profile = profileGood;
    const char* platform = nullptr; // the version Wine reports to the program (win95, nt40, nt351)

    CSetOptions& Fresh() { return userFiles = false, *this; }
    CSetOptions& Mounted(bool withFiles) { return mounted = true, seeded = withFiles, *this; }
    CSetOptions& Below(const std::string& dirs) { return below = dirs, *this; }
    CSetOptions& Into(const std::string& dirs) { return into = dirs, *this; }
    CSetOptions& Damaged(Damage how) { return onePiece = how == damageCut, damage = how, *this; }
    CSetOptions& MissingPlain() { return missingPlain = true, *this; }
    CSetOptions& Disk2Away() { return disk2Away = true, *this; }
    CSetOptions& WithProfile(Profile kind) { return profile = kind, *this; }
    CSetOptions& Platform(const char* version) { return platform = version, *this; }
};

class CDisketteSet {
public:
    CDisketteSet(const CSetupRun& setup, const CSetOptions& options);
    ~CDisketteSet();
    CDisketteSet(const CDisketteSet&) = delete;
    CDisketteSet& operator=(const CDisketteSet&) = delete;

    // Writes the user's files into directory dir (ending in a backslash).
    static bool WriteUserFiles(const std::string& dir);
    static std::string Big();

    // The set was packed, and the user's files are in place.
    bool Ready() const;
    const std::string& Disk1() const { return m_disk1; }
    const std::string& Disk2() const { return m_disk2; }
    // The program on DISK01 (SETUP.EXE, or a name of the row's own for a platform).
    std::string Program() const { return m_disk1 + m_exe; }
    // Destination 0, with a trailing backslash, and as the program proposes it.
    const std::string& Target() const { return m_target; }
    std::string Proposed() const { return m_target.substr(0, m_target.size() - 1); }
    // Where the user puts the installation (Target() unless the row says
    // otherwise), with a trailing backslash.
    std::string Installed() const { return m_target + m_options.into; }
    // The caption of BIG.DAT's shortcut.
    const std::string& ShortcutName() const { return m_shortcut; }

    // Where the installation went holds exactly the files of mask in their
    // new version (unless the user's is newer), the user's others as they
    // were, and scheduled files waiting under a temporary name; every file
    // the user had is whole, old or new, in any case.
    bool Holds(unsigned mask, size_t scheduled = 0) const;

private:
    void WriteProfile() const;

    CSetOptions m_options;
    std::string m_name;
    std::string m_disk1;
    std::string m_disk2;
    std::string m_exe;
    std::string m_target;
    std::string m_top; // the tree removed at the start and the end, if any
    std::string m_shortcut;
    std::string m_appDefaults; // the key that makes Wine report the platform, if any
    bool m_ready = false;
};
