#include "profile/FileGroupMap.h"

#include <cstdint>

#include "profile/ProfileSection.h"
#include "support/StringHelpers.h"

CFileGroupMap::CFileGroupMap() = default;

CFileGroupMap::~CFileGroupMap() = default;

CFileGroup* CFileGroupMap::Lookup(const std::string& name) const
{
    auto found = m_index.find(name);
    return found != m_index.end() ? found->second : nullptr;
}

CFileGroup& CFileGroupMap::SetAt(const CFileGroup& group)
{
    CFileGroup*& slot = m_index[group.m_strName];
    if (slot == nullptr) {
        m_groups.emplace_back(new CFileGroup(group));
        slot = m_groups.back().get();
    } else {
        *slot = group;
    }
    return *slot;
}

void CFileGroupMap::LoadGroups(const char* profilePath)
{
    ReadProfileSection(profilePath, "groups", [this](const std::string& key, const char* value) {
        CFileGroup group;
        group.m_strName = key;
        ExtractField(group.m_strText0, value, 0, '|');
        ExtractField(group.m_strText1, value, 1, '|');
        // A missing flag reads as 0.
        int32_t flag = 0;
        group.m_bInType1 = ExtractBoolField(flag, value, 2, '|') && flag != 0;
        flag = 0;
        group.m_bInType2 = ExtractBoolField(flag, value, 3, '|') && flag != 0;
        flag = 0;
        group.m_bInType3 = ExtractBoolField(flag, value, 4, '|') && flag != 0;
        group.m_bSelected = false;
        SetAt(group);
    });
}
