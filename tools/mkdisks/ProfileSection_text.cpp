// The profile reader's section access where the system has no private-profile
// functions: the same rules, from the text (keys in file order, each key's
// value the first entry's, at most 254 characters of it).
#include "profile/ProfileSection.h"

#include "ProfileText.h"

size_t
ReadProfileSection(const char* profilePath, const char* section,
                   const std::function<void(const std::string& key, const char* value)>& onEntry)
{
    CProfileText text;
    std::string error;
    if (!text.Load(profilePath, error))
        return 0;
    const CProfileText::Section* found = text.Find(section);
    if (found == nullptr)
        return 0;
    for (const CProfileText::Entry& entry : found->entries) {
        const std::string value = CProfileText::FindEntry(*found, entry.key)->value.substr(0, 254);
        onEntry(entry.key, value.c_str());
    }
    return found->entries.size();
}
