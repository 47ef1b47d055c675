#pragma once
// CInstallItemList: the install items of every group's file list, ordered by
// diskette number; within a diskette the unmarked items come first, then the
// marked ones, each in reading order.

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <utility>

#include "profile/DisketteMultiFile.h"

class CFileGroupMap;

class CInstallItemList {
public:
    using List = std::list<std::unique_ptr<CDisketteMultiFile>>;

    CInstallItemList();
    CInstallItemList(const CInstallItemList&) = delete;
    CInstallItemList& operator=(const CInstallItemList&) = delete;
    ~CInstallItemList();

    // Places the item before the first item on a higher diskette, or before
    // the first marked item of its own diskette when it is unmarked; at the end
    // when there is no such item. The items are compared by the diskette
    // numbers they had when they were inserted (the copy engine raises an
    // item's number later, when its data continues on the next diskette).
    CDisketteMultiFile& InsertItem(std::unique_ptr<CDisketteMultiFile> item);

    // The sum of SpaceEstimate over the selected items, or over every item when
    // allItems is set. The sum itself does not wrap.
    int64_t RequiredBytes(int32_t clusterSize, bool allItems) const;

    // Reads the file-list section of every group of the map (the section named
    // by the group's key) and inserts its entries. The items refer to their
    // groups, so the map must outlive the items' use. A group without a section
    // adds nothing.
    void LoadItems(const char* profilePath, const CFileGroupMap& groups);

    size_t GetCount() const { return m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }
    List::const_iterator begin() const { return m_items.begin(); }
    List::const_iterator end() const { return m_items.end(); }

private:
    // Diskette number, then unmarked before marked: the order of the list.
    using Key = std::pair<int32_t, bool>;

    List m_items;
    // The first item of each key in the list. The list is sorted by key, so
    // an item's place is before the first item of the next greater key: found
    // here without walking the list, which a profile of thousands of entries
    // would make take seconds.
    std::map<Key, List::iterator> m_firstOfKey;
};
