#include "profile/DestinationMap.h"

#include "errors/InstallProfileException.h"
#include "profile/ProfileSection.h"
#include "support/StringHelpers.h"

CDestinationMap::CDestinationMap()
{
    SetDestinationPath(kWindows, CFilePath(CFilePath::locWindows));
    SetDestinationPath(kSystem, CFilePath(CFilePath::locSystem));
    SetDestinationPath(kTemp, CFilePath(CFilePath::locTemp));
}

CDestinationMap::~CDestinationMap() = default;

CDestination& CDestinationMap::FindOrCreate(int16_t number)
{
    std::unique_ptr<CDestination>& slot = m_map[number];
    if (slot == nullptr)
        slot.reset(new CDestination(number, *this));
    return *slot;
}

void CDestinationMap::SetDestinationPath(int16_t number, const char* path)
{
    FindOrCreate(number).m_path = path;
}

void CDestinationMap::SetDestinationLink(int16_t number, const char* name, int16_t parent)
{
    CDestination& destination = FindOrCreate(number);
    destination.m_strName = name != nullptr ? name : "";
    destination.m_nParent = parent;
}

CDestination* CDestinationMap::Lookup(int16_t number) const
{
    auto found = m_map.find(number);
    return found != m_map.end() ? found->second.get() : nullptr;
}

const CFilePath& CDestinationMap::GetDestinationPath(int16_t number) const
{
    const CDestination* destination = Lookup(number);
    if (destination == nullptr)
        throw new CInstallProfileException(CInstallProfileException::badDestination);
    return destination->m_path;
}

std::string CDestinationMap::GetDestinationName(int16_t number) const
{
    const CDestination* destination = Lookup(number);
    return destination != nullptr ? destination->m_strName : std::string();
}

void CDestinationMap::ResolveDestinations()
{
    // Each pass settles at least one more link of every chain, so a chain as
    // deep as the map is settled within as many passes, in any map order.
    bool settled = true;
    for (size_t pass = 0; pass < m_map.size(); ++pass) {
        settled = true;
        for (auto& entry : m_map) {
            if (!entry.second->ResolveDestination(false))
                settled = false;
        }
        if (settled)
            return;
    }
    if (!settled)
        throw new CInstallProfileException(CInstallProfileException::badDestination);
}

void CDestinationMap::LoadDestinations(const char* profilePath)
{
    size_t count = ReadProfileSection(
        profilePath, "destinations", [this](const std::string& key, const char* value) {
            int16_t number = static_cast<int16_t>(ParseLong(key.c_str()));
            std::string name;
            ExtractField(name, value, 0, '|');
            // Absent means no parent; present but empty reads as 0.
            int16_t parent = CDestination::kNoParent;
            ExtractShortField(parent, value, 1, '|');
            std::string path;
            ExtractField(path, value, 2, '|');
            SetDestinationLink(number, name.c_str(), parent);
            SetDestinationPath(number, path.c_str());
        });
    if (count == 0)
        throw new CInstallProfileException(CInstallProfileException::profileMissing);
}
