#pragma once
// CDisketteMultiFile: one entry of a group's file list, an install item: a
// single file or an archive on a numbered diskette, going to a destination.
// Items are ordered by diskette; a marked item comes after the unmarked items
// of its diskette.
//
// The item is at the same time the archive reader of its source file. The
// reader's hooks keep their plain behaviour here (no progress, no next
// diskette) until the copy engine gives them their diskette meaning.

#include <cstdint>
#include <string>

#include "archive/MultiFile.h"

struct CFileGroup;

class CDisketteMultiFile : public CMultiFile {
    DECLARE_DYNAMIC(CDisketteMultiFile)
public:
    // The values of one file-list entry; diskette is the profile's field 3,
    // negative for a marked item.
    struct Entry {
        std::string sourceName;
        int32_t size = 0;
        int16_t kind = 0;
        int16_t fileCount = 0;
        int16_t diskette = 0;
        int16_t destination = 0;
        std::string text5;
    };

    // Kinds of item.
    enum { kindFile = 0, kindArchive = 1 };

    // The item of an entry of the given group's file list (the group must
    // outlive the item's use; the item never touches it when destroyed).
    CDisketteMultiFile(const Entry& entry, const CFileGroup& group);
    CDisketteMultiFile(const CDisketteMultiFile&) = delete;
    CDisketteMultiFile& operator=(const CDisketteMultiFile&) = delete;
    ~CDisketteMultiFile() override;

    // The selected flag of the item's group.
    bool IsSelected() const;
    // Bytes the item is estimated to take on a disk with the given cluster
    // size, in signed 32-bit arithmetic (results wrap like it): several files
    // add half a cluster each to the size; a single file is rounded up to
    // whole clusters; cluster size 0 gives the size.
    int32_t SpaceEstimate(int32_t clusterSize) const;

    const CFileGroup& GetGroup() const { return *m_pGroup; }

    std::string m_strSourceName;
    int32_t m_nKind;
    int32_t m_nSize;
    int32_t m_nFileCount;
    // Never negative; raised by the copy engine when the data continues on the
    // next diskette.
    int32_t m_nDiskette;
    bool m_bMarked;
    std::string m_strText5;
    int32_t m_nDestination;

private:
    const CFileGroup* m_pGroup;
    int32_t m_nReserved = 0;
};
