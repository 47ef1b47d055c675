#pragma once
// CDisketteMultiFile: one entry of a group's file list, an install item: a
// single file or an archive on a numbered diskette, going to a destination.
// Items are ordered by diskette; a marked item comes after the unmarked items
// of its diskette.
//
// The item is at the same time the archive reader of its source file. While
// the copy engine installs it, the engine is its site: every block read
// reports progress, and a member whose data continues past the end of a piece
// goes on in the next piece, from the next diskette. Without a site the
// reader's hooks keep their plain behaviour.

#include <cstdint>
#include <string>

#include "archive/MultiFile.h"

struct CFileGroup;

class CDisketteMultiFile : public CMultiFile {
    DECLARE_DYNAMIC(CDisketteMultiFile)
public:
    // What the copy engine gives the hooks while it installs the item.
    class CSite {
    public:
        // After every block of source data read.
        virtual void OnItemBlockEnd(CDisketteMultiFile& item) = 0;
        // The path of piece name of diskette n, once it can be read; raises
        // the framework's user-cancel exception when the user gives up.
        virtual std::string FindNextPiece(const char* name, int n) = 0;

    protected:
        ~CSite() = default;
    };

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

    // The site while the item is installed; null afterwards.
    void SetSite(CSite* site) { m_pSite = site; }

    // With a site: progress.
    void OnBlockEnd() override;
    // With a site, when the current member continues: the current piece is
    // closed, then the next piece (the piece's name in lower case with its
    // last character raised by one) is asked for on the next diskette, whose
    // number the item takes; false, reading goes on there. Otherwise true:
    // the data has ended.
    bool OnEndOfData() override;

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
    CSite* m_pSite = nullptr;
    int32_t m_nReserved = 0;
};
