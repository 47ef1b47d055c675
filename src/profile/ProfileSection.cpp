#include "profile/ProfileSection.h"

#include "support/IniSection.h"
#include "support/IniValue.h"

size_t
ReadProfileSection(const char* profilePath, const char* section,
                   const std::function<void(const std::string& key, const char* value)>& onEntry)
{
    CIniSection reader(section);
    reader.SetFile(profilePath);
    size_t count = 0;
    CIniValue entry;
    for (bool more = reader.GetFirstKey(entry); more; more = reader.GetNextKey(entry)) {
        // Without a default of its own, so that nothing of the previous key
        // carries over.
        entry.SetValue("");
        entry.Read();
        onEntry(entry.m_strKey, entry.GetValue());
        ++count;
    }
    return count;
}
