#pragma once
// CDestination: one destination directory of the install profile, found by
// its number. A destination either has a path of its own or derives it from
// its parent's path with its name appended as a subdirectory.

#include <cstdint>
#include <string>

#include "support/FilePath.h"

class CDestinationMap;

class CDestination {
public:
    // A record of the given map: name empty, no parent, path not resolved.
    CDestination(int16_t number, const CDestinationMap& owner) : m_nNumber(number), m_pOwner(&owner)
    {
    }
    CDestination(const CDestination&) = delete;
    CDestination& operator=(const CDestination&) = delete;
    virtual ~CDestination();

    // True when the path is settled: the destination has no parent (its path
    // stays as it is, empty or not), or it has a path and force is false, or
    // its parent exists and has a path, in which case the path becomes the
    // parent's path with the name appended. False, and nothing changes, when the
    // parent is missing or not yet resolved.
    bool ResolveDestination(bool force);

    // No parent.
    static constexpr int16_t kNoParent = -1;

    int16_t m_nNumber;
    std::string m_strName;
    int16_t m_nParent = kNoParent;
    const CDestinationMap* m_pOwner;
    // The directory, with trailing backslash; empty = not yet resolved.
    CFilePath m_path;
};
