#pragma once
// CDisketteArray: the diskettes by number (from 1). Numbers without an entry
// hold nothing; the prompt then asks for the diskette by its number.

#include <cstdint>
#include <map>
#include <memory>

#include "profile/Diskette.h"

class CDisketteArray {
public:
    CDisketteArray();
    CDisketteArray(const CDisketteArray&) = delete;
    CDisketteArray& operator=(const CDisketteArray&) = delete;
    ~CDisketteArray();

    // The label of the diskette, or null when the number holds no record.
    const char* GetDisketteLabel(int32_t number) const;
    // Stores the record at the number, discarding one already there. A
    // negative number holds no diskette: the record is discarded and the result
    // is false.
    bool SetDiskette(int32_t number, std::unique_ptr<CDiskette> diskette);
    // One more than the highest number that holds a record; 0 when empty.
    int32_t GetSize() const;

    // Reads section "diskettes" of the profile into the array (adding to it).
    void LoadDiskettes(const char* profilePath);

private:
    // Sparse, so that a huge number in the profile costs one record, not an
    // array of that size.
    std::map<int32_t, std::unique_ptr<CDiskette>> m_diskettes;
};
