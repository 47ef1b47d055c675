#pragma once
// CFileGroupMap: the file groups of the install profile by exact name (case
// matters: Main and MAIN are two groups), in the order the profile lists them.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "profile/FileGroup.h"

class CFileGroupMap {
public:
    using List = std::vector<std::unique_ptr<CFileGroup>>;

    CFileGroupMap();
    CFileGroupMap(const CFileGroupMap&) = delete;
    CFileGroupMap& operator=(const CFileGroupMap&) = delete;
    ~CFileGroupMap();

    // The group with exactly this name, or null.
    CFileGroup* Lookup(const std::string& name) const;
    // Stores the group under its name. A group of the same name is replaced in
    // place, so references held to it (by install items) stay valid.
    CFileGroup& SetAt(const CFileGroup& group);

    // Reads section "groups" of the profile into the map (adding to it); every
    // group read starts deselected.
    void LoadGroups(const char* profilePath);

    size_t GetCount() const { return m_groups.size(); }
    List::const_iterator begin() const { return m_groups.begin(); }
    List::const_iterator end() const { return m_groups.end(); }

private:
    List m_groups;
    std::map<std::string, CFileGroup*> m_index;
};
