#include "profile/InstallItemList.h"

#include "profile/FileGroupMap.h"
#include "profile/ProfileSection.h"
#include "support/StringHelpers.h"

namespace {

int16_t ShortField(const char* value, int n)
{
    int16_t field = 0;
    ExtractShortField(field, value, n, '|');
    return field;
}

} // namespace

CInstallItemList::CInstallItemList() = default;

CInstallItemList::~CInstallItemList() = default;

CDisketteMultiFile& CInstallItemList::InsertItem(std::unique_ptr<CDisketteMultiFile> item)
{
    // The rule's "first item on a higher diskette, or marked on the same one
    // when the new item is not" is the first item of a greater key.
    const Key key(item->m_nDiskette, item->m_bMarked);
    const auto next = m_firstOfKey.upper_bound(key);
    const auto before = next == m_firstOfKey.end() ? m_items.end() : next->second;
    const auto placed = m_items.insert(before, std::move(item));
    // Behind the items of its own key: the first of them stays the first.
    m_firstOfKey.emplace(key, placed);
    return **placed;
}

int64_t CInstallItemList::RequiredBytes(int32_t clusterSize, bool allItems) const
{
    int64_t total = 0;
    for (const auto& item : m_items) {
        if (allItems || item->IsSelected())
            total += item->SpaceEstimate(clusterSize);
    }
    return total;
}

void CInstallItemList::LoadItems(const char* profilePath, const CFileGroupMap& groups)
{
    for (const auto& group : groups) {
        const CFileGroup& owner = *group;
        ReadProfileSection(profilePath, owner.m_strName.c_str(),
                           [this, &owner](const std::string& key, const char* value) {
                               // A missing number reads as 0.
                               CDisketteMultiFile::Entry entry;
                               entry.sourceName = key;
                               ExtractLongField(entry.size, value, 0, '|');
                               entry.kind = ShortField(value, 1);
                               entry.fileCount = ShortField(value, 2);
                               entry.diskette = ShortField(value, 3);
                               entry.destination = ShortField(value, 4);
                               ExtractField(entry.text5, value, 5, '|');
                               InsertItem(std::unique_ptr<CDisketteMultiFile>(
                                   new CDisketteMultiFile(entry, owner)));
                           });
    }
}
