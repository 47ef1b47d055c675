#pragma once
// CDestinationMap: the destinations of the install profile by number (section
// "destinations"). Numbers are signed 16-bit: 0 is the main installation
// directory, -2 the Windows directory, -3 the System directory and -4 the
// temporary directory; those three exist from construction.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "profile/Destination.h"

class CDestinationMap {
public:
    static constexpr int16_t kMain = 0;
    static constexpr int16_t kWindows = -2;
    static constexpr int16_t kSystem = -3;
    static constexpr int16_t kTemp = -4;

    using Map = std::map<int16_t, std::unique_ptr<CDestination>>;

    // Holds -2, -3 and -4 with the system's directories.
    CDestinationMap();
    CDestinationMap(const CDestinationMap&) = delete;
    CDestinationMap& operator=(const CDestinationMap&) = delete;
    ~CDestinationMap();

    // Finds the record or creates it (name empty, no parent, no path), then
    // sets its path (an empty text too).
    void SetDestinationPath(int16_t number, const char* path);
    // Finds or creates the record as above, then sets its name and parent.
    void SetDestinationLink(int16_t number, const char* name, int16_t parent);

    // The record, or null.
    CDestination* Lookup(int16_t number) const;
    // The path of a destination. Throws CInstallProfileException (bad
    // destination) when the map has no such number: a file list or an archive
    // member names a destination that the profile does not define.
    const CFilePath& GetDestinationPath(int16_t number) const;
    // The name of a destination; empty when the map has no such number (the
    // destination page then proposes the drive's root).
    std::string GetDestinationName(int16_t number) const;

    // Derives every path that can be derived: at most as many passes over the
    // map as it has records, stopping after a pass in which every destination
    // settled. Throws CInstallProfileException (bad destination) when one still
    // cannot be settled: a missing parent, a cycle, or a chain ending in a
    // destination without path and parent.
    void ResolveDestinations();

    // Reads section "destinations" of the profile into the map (adding to what
    // it holds). Throws CInstallProfileException (profile missing) when the
    // section lists no key: the profile is missing, unreadable or has no
    // destinations.
    void LoadDestinations(const char* profilePath);

    size_t GetCount() const { return m_map.size(); }
    // In ascending number order.
    Map::const_iterator begin() const { return m_map.begin(); }
    Map::const_iterator end() const { return m_map.end(); }

private:
    CDestination& FindOrCreate(int16_t number);

    Map m_map;
};
