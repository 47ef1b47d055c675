#include "profile/DisketteArray.h"

#include <cstdint>
#include <string>

#include "profile/ProfileSection.h"
#include "support/StringHelpers.h"

CDisketteArray::CDisketteArray() = default;

CDisketteArray::~CDisketteArray() = default;

const char* CDisketteArray::GetDisketteLabel(int32_t number) const
{
    auto found = m_diskettes.find(number);
    return found != m_diskettes.end() ? found->second->m_strLabel.c_str() : nullptr;
}

bool CDisketteArray::SetDiskette(int32_t number, std::unique_ptr<CDiskette> diskette)
{
    if (number < 0)
        return false;
    m_diskettes[number] = std::move(diskette);
    return true;
}

int32_t CDisketteArray::GetSize() const
{
    if (m_diskettes.empty())
        return 0;
    int32_t last = m_diskettes.rbegin()->first;
    return last < INT32_MAX ? last + 1 : INT32_MAX;
}

void CDisketteArray::LoadDiskettes(const char* profilePath)
{
    ReadProfileSection(profilePath, "diskettes", [this](const std::string& key, const char* value) {
        std::unique_ptr<CDiskette> diskette(new CDiskette);
        ExtractField(diskette->m_strLabel, value, 0, '|');
        ExtractField(diskette->m_strText1, value, 1, '|');
        SetDiskette(ParseLong(key.c_str()), std::move(diskette));
    });
}
