#include "ProfileCheck.h"

#include <filesystem>

#include "InputError.h"
#include "ProductDescription.h"
#include "errors/XException.h"
#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroupMap.h"
#include "profile/InstallItemList.h"
#include "support/StringHelpers.h"

namespace {

// The line of destination number in the description, or 0.
int DestinationLine(const CProductDescription& description, int16_t number)
{
    const CProfileText::Section* section = description.GetText().Find("destinations");
    int line = 0;
    if (section != nullptr) {
        for (const CProfileText::Entry& entry : section->entries) {
            if (static_cast<int16_t>(ParseLong(entry.key.c_str())) == number)
                line = entry.line;
        }
    }
    return line;
}

} // namespace

void CheckWithReader(const std::string& profilePath, const CProductDescription& description)
{
    const std::string file = description.GetPath();
    // The private-profile functions look for a relative name in the Windows
    // directory.
    const std::string path = std::filesystem::absolute(profilePath).string();

    CDestinationMap destinations;
    // Where the system's directories would be; without a system that knows
    // them, destinations derived from them must still resolve.
    destinations.SetDestinationPath(CDestinationMap::kWindows, "C:\\WINDOWS\\");
    destinations.SetDestinationPath(CDestinationMap::kSystem, "C:\\WINDOWS\\SYSTEM\\");
    destinations.SetDestinationPath(CDestinationMap::kTemp, "C:\\TEMP\\");
    CFileGroupMap groups;
    CInstallItemList items;
    CDisketteArray diskettes;
    try {
        destinations.LoadDestinations(path.c_str());
    } catch (CException* e) {
        e->Delete();
        const CProfileText::Section* section = description.GetText().Find("destinations");
        throw CInputError{file, section != nullptr ? section->line : 0,
                          "the profile has no entry in [destinations]: the setup program would "
                          "stop with \"Incomplete or missing profile.\""};
    }
    groups.LoadGroups(path.c_str());
    items.LoadItems(path.c_str(), groups);
    diskettes.LoadDiskettes(path.c_str());

    // The destination page sets the main directory, then derives the rest.
    destinations.SetDestinationPath(CDestinationMap::kMain, "C:\\PRODUCT\\");
    try {
        destinations.ResolveDestinations();
    } catch (CException* e) {
        e->Delete();
        for (const auto& entry : destinations) {
            const CDestination& d = *entry.second;
            if (d.m_nParent != CDestination::kNoParent && d.m_path.IsEmpty())
                throw CInputError{file, DestinationLine(description, d.m_nNumber),
                                  "destination " + std::to_string(d.m_nNumber) +
                                      " cannot be derived (its parent " +
                                      std::to_string(d.m_nParent) +
                                      " is missing, has no path, or derives from it): the " +
                                      "setup program would stop after the destination page"};
        }
        throw CInputError{file, 0, "the destinations cannot be derived"};
    }

    const auto exists = [&](int16_t number) {
        return number == -1 || destinations.Lookup(number) != nullptr;
    };
    for (const CProductDescription::Item& item : description.GetItems()) {
        const char* problem = " is not in [destinations]: the setup program would stop "
                              "installing ";
        if (!item.archive) {
            const int16_t dest = static_cast<int16_t>(ParseLong(item.fields[4].c_str()));
            if (!exists(dest))
                throw CInputError{file, item.line,
                                  "destination " + std::to_string(dest) + " of '" + item.key + "'" +
                                      problem + "it"};
        }
        for (const CProductDescription::Member& member : item.members) {
            if (!exists(member.dest))
                throw CInputError{file, member.line,
                                  "destination " + std::to_string(member.dest) + " of member '" +
                                      member.name + "'" + problem + "'" + item.key + "'"};
        }
    }
    // What the reader found is what was laid out.
    if (items.GetCount() != description.GetItems().size())
        throw CInputError{profilePath, 0,
                          "the setup program reads " + std::to_string(items.GetCount()) +
                              " items from the finished profile, not " +
                              std::to_string(description.GetItems().size())};
}
