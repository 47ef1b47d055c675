#pragma once
// CShortcutTargetMap: the shortcut targets by file name, compared without
// regard to case (keys are kept in lower case), in the order the profile lists
// them.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "profile/ShortcutTarget.h"

class CDestinationMap;

class CShortcutTargetMap {
public:
    using List = std::vector<std::unique_ptr<CShortcutTarget>>;

    CShortcutTargetMap();
    CShortcutTargetMap(const CShortcutTargetMap&) = delete;
    CShortcutTargetMap& operator=(const CShortcutTargetMap&) = delete;
    ~CShortcutTargetMap();

    // The target for this file name in any case, or null.
    CShortcutTarget* FindTarget(const char* fileName) const;
    // Stores the target under its file name in lower case; a target already
    // stored under that key is replaced.
    CShortcutTarget& SetAt(std::unique_ptr<CShortcutTarget> target);

    // Reads section "targets" of the profile into the map (adding to it).
    void LoadTargets(const char* profilePath);

    // After copying: a shortcut in the program folder groupName for every
    // target that has a command path, in map order; icon files are taken
    // relative to destination 0. Messages are served between targets.
    void CreateShortcuts(const CDestinationMap& destinations, const char* groupName) const;

    size_t GetCount() const { return m_targets.size(); }
    List::const_iterator begin() const { return m_targets.begin(); }
    List::const_iterator end() const { return m_targets.end(); }

    // A file name in lower case, as the keys are kept.
    static std::string MakeKey(const char* fileName);

private:
    List m_targets;
    std::map<std::string, CShortcutTarget*> m_index;
};
