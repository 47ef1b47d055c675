#pragma once
// CDriveIterator: walks the drive letters A to Z, with the type of each drive.

#include "support/FilePath.h"

class CDriveIterator {
public:
    // Drive types as GetDriveTypeA gives them.
    enum {
        typeUnknown = 0,
        typeNoRoot = 1,
        typeRemovable = 2,
        typeFixed = 3,
        typeRemote = 4,
        typeCdRom = 5,
        typeRamDisk = 6
    };

    // Placed before the first drive (index -1).
    CDriveIterator() = default;
    virtual ~CDriveIterator();

    // Moves to the next letter whose type is not unknown. False when past Z; the
    // iterator then stays where it was. Windows reports letters without a drive
    // as typeNoRoot, so in practice every letter is visited.
    virtual bool Next();
    // Moves forward to the next drive of the given type; false (and no move)
    // when there is none.
    bool FindNext(unsigned type);
    bool FindNextFixed() { return FindNext(typeFixed); }

    // 0 for A to 25 for Z; -1 before the first drive.
    int GetIndex() const { return m_nIndex; }
    // The upper-case letter of the current drive.
    char GetLetter() const { return static_cast<char>('A' + m_nIndex); }
    // path = the current drive's root directory, lower case: "c:\".
    void GetRoot(CFilePath& path) const;
    // GetDriveTypeA of the current drive's root.
    unsigned GetType() const;

private:
    int m_nIndex = -1;
};
