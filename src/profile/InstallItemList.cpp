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
    auto before = m_items.begin();
    for (; before != m_items.end(); ++before) {
        const CDisketteMultiFile& existing = **before;
        if (existing.m_nDiskette > item->m_nDiskette)
            break;
        if (existing.m_nDiskette == item->m_nDiskette && existing.m_bMarked && !item->m_bMarked)
            break;
    }
    return **m_items.insert(before, std::move(item));
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
