#include "profile/ShortcutTargetMap.h"

#include <windows.h>

#include <cstdint>

#include "profile/DestinationMap.h"
#include "profile/ProfileSection.h"
#include "support/PumpMessages.h"
#include "support/StringHelpers.h"
#include "system/StartMenuGroups.h"

namespace {

// A numeric field, 0 when absent.
int32_t ShortField(const char* value, int n)
{
    int16_t field = 0;
    ExtractShortField(field, value, n, '|');
    return field;
}

} // namespace

CShortcutTargetMap::CShortcutTargetMap() = default;

CShortcutTargetMap::~CShortcutTargetMap() = default;

std::string CShortcutTargetMap::MakeKey(const char* fileName)
{
    std::string key = fileName != nullptr ? fileName : "";
    // The system's lower-casing knows the code page, double-byte characters too.
    if (!key.empty())
        CharLowerBuffA(&key[0], static_cast<DWORD>(key.size()));
    return key;
}

CShortcutTarget* CShortcutTargetMap::FindTarget(const char* fileName) const
{
    auto found = m_index.find(MakeKey(fileName));
    return found != m_index.end() ? found->second : nullptr;
}

CShortcutTarget& CShortcutTargetMap::SetAt(std::unique_ptr<CShortcutTarget> target)
{
    CShortcutTarget* stored = target.get();
    CShortcutTarget*& slot = m_index[MakeKey(target->m_strFileName.c_str())];
    if (slot == nullptr) {
        m_targets.push_back(std::move(target));
    } else {
        // The later record takes the earlier one's place in the order.
        for (auto& held : m_targets) {
            if (held.get() == slot) {
                held = std::move(target);
                break;
            }
        }
    }
    slot = stored;
    return *stored;
}

void CShortcutTargetMap::LoadTargets(const char* profilePath)
{
    ReadProfileSection(profilePath, "targets", [this](const std::string& key, const char* value) {
        std::unique_ptr<CShortcutTarget> target(new CShortcutTarget);
        target->m_strFileName = key;
        target->m_nIconIndex = ShortField(value, 0);
        target->m_nField1 = ShortField(value, 1);
        int32_t minimized = 0;
        target->m_bMinimized = ExtractBoolField(minimized, value, 2, '|') && minimized != 0;
        ExtractField(target->m_strName, value, 3, '|');
        ExtractField(target->m_strArguments, value, 4, '|');
        ExtractField(target->m_strIconFile, value, 5, '|');
        std::string command;
        ExtractField(command, value, 6, '|');
        target->m_commandPath = command;
        SetAt(std::move(target));
    });
}

void CShortcutTargetMap::CreateShortcuts(const CDestinationMap& destinations,
                                         const char* groupName) const
{
    CStartMenuGroups groups;
    for (const auto& target : m_targets) {
        // Only files that were installed have a command path.
        if (target->m_commandPath.IsEmpty())
            continue;
        CFilePath iconPath;
        if (!target->m_strIconFile.empty()) {
            iconPath.SetDirectory(destinations.GetDestinationPath(CDestinationMap::kMain));
            iconPath.SetFileName(target->m_strIconFile.c_str());
        }
        int showCommand = target->m_bMinimized ? SW_SHOWMINIMIZED : SW_SHOW;
        // A shortcut that cannot be made is no reason to stop: the files are in place.
        groups.AddShortcut(groupName, target->m_commandPath, target->m_strArguments.c_str(),
                           target->m_strName.c_str(), iconPath, target->m_nIconIndex, nullptr,
                           showCommand, SW_SHOW);
        PumpMessages();
    }
}
