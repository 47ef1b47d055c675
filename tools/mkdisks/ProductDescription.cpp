#include "ProductDescription.h"

#include <map>

#include "InputError.h"
#include "PackedMember.h"
#include "PathText.h"
#include "archive/ArchiveFormat.h"
#include "framework/StdioFile.h"
#include "support/StringHelpers.h"

const char CProductDescription::kArchivePrefix[] = "archive ";

namespace {

// Every '|'-separated field of a value, as the reader splits them.
std::vector<std::string> SplitFields(const std::string& value)
{
    std::vector<std::string> fields;
    std::string field;
    for (int n = 0; ExtractField(field, value.c_str(), n, '|'); ++n)
        fields.push_back(field);
    return fields;
}

// A decimal number as a vendor writes it: an optional minus and digits.
bool IsNumber(const std::string& text)
{
    const size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > start && text.size() - start <= 9 &&
           text.find_first_not_of("0123456789", start) == std::string::npos;
}

bool IsSectionOfTheReader(const std::string& name)
{
    for (const char* known : {"destinations", "groups", "targets", "diskettes"}) {
        if (CProfileText::SameName(name, known))
            return true;
    }
    return false;
}

} // namespace

void CProductDescription::Fail(int line, const std::string& message) const
{
    throw CInputError{m_strPath, line, message};
}

std::string CProductDescription::PayloadFile(const std::string& payload, const std::string& name,
                                             int line) const
{
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("/\\:") != std::string::npos)
        Fail(line, "'" + name + "' is not a plain file name");
    const std::string path = PathText::Join(payload, name);
    CFileStatus status;
    if (!CStdioFile::GetStatus(path.c_str(), status) ||
        (status.m_attribute & CStdioFile::directory) != 0)
        Fail(line, "'" + name + "' is not in the payload directory " + payload);
    return path;
}

void CProductDescription::Load(const std::string& path, const std::string& payload)
{
    m_strPath = path;
    std::string error;
    if (!m_text.Load(path, error))
        Fail(0, error);

    std::map<std::string, int> seen;
    for (const CProfileText::Section& section : m_text.GetSections()) {
        std::string lower;
        for (char c : section.name)
            lower += static_cast<char>(tolower(static_cast<unsigned char>(c)));
        auto [at, added] = seen.emplace(lower, section.line);
        if (!added)
            Fail(section.line, "section [" + section.name + "] appears twice (first on line " +
                                   std::to_string(at->second) + ")");
    }

    // The groups in the reader's order; Main and MAIN are two groups, but they
    // would read one section twice.
    std::map<std::string, std::string> groupOfSection;
    if (const CProfileText::Section* groups = m_text.Find("groups")) {
        std::map<std::string, bool> done;
        for (const CProfileText::Entry& group : groups->entries) {
            if (done[group.key])
                continue;
            done[group.key] = true;
            const CProfileText::Section* list = m_text.Find(group.key);
            if (list == nullptr)
                continue;
            auto [at, added] = groupOfSection.emplace(list->name, group.key);
            if (!added)
                Fail(group.line, "groups '" + at->second + "' and '" + group.key +
                                     "' name the same section [" + list->name +
                                     "]: its files would be installed twice");
            for (const CProfileText::Entry& entry : list->entries)
                ReadItem(group.key, entry, payload);
        }
    }

    std::map<std::string, int> keys;
    for (const Item& item : m_items) {
        std::string lower;
        for (char c : item.key)
            lower += static_cast<char>(tolower(static_cast<unsigned char>(c)));
        auto [at, added] = keys.emplace(lower, item.line);
        if (!added)
            Fail(item.line, "'" + item.key + "' is listed twice (first on line " +
                                std::to_string(at->second) + "): one diskette file per entry");
    }

    CheckTargets();
    for (const CProfileText::Section& section : m_text.GetSections()) {
        const bool archive = CProfileText::SameName(
            section.name.substr(0, sizeof kArchivePrefix - 1), kArchivePrefix);
        if (archive) {
            int line = section.line;
            for (; line <= section.lastLine; ++line)
                m_descriptionLines.push_back(line);
            for (; m_text.IsBlankLine(line); ++line)
                m_descriptionLines.push_back(line);
            const std::string name = section.name.substr(sizeof kArchivePrefix - 1);
            bool used = false;
            for (const Item& item : m_items)
                used = used || CProfileText::SameName(item.key, name);
            if (!used)
                m_warnings.push_back(m_strPath + ":" + std::to_string(section.line) +
                                     ": warning: no group's file list names the archive '" + name +
                                     "'; it is not made");
        } else if (!IsSectionOfTheReader(section.name) && groupOfSection.count(section.name) == 0) {
            m_warnings.push_back(m_strPath + ":" + std::to_string(section.line) +
                                 ": warning: section [" + section.name +
                                 "] is no group's file list; the setup program does not read it");
        }
    }
}

void CProductDescription::CheckTargets()
{
    const CProfileText::Section* targets = m_text.Find("targets");
    if (targets == nullptr)
        return;
    for (const CProfileText::Entry& target : targets->entries) {
        bool installed = false;
        for (const Item& item : m_items) {
            installed =
                installed || (!item.archive && CProfileText::SameName(item.key, target.key) &&
                              static_cast<int16_t>(ParseLong(item.fields[4].c_str())) != -1);
            for (const Member& member : item.members)
                installed = installed ||
                            (CProfileText::SameName(member.name, target.key) && member.dest != -1);
        }
        if (!installed)
            m_warnings.push_back(m_strPath + ":" + std::to_string(target.line) +
                                 ": warning: no file of the set installs '" + target.key +
                                 "': it gets no shortcut");
    }
}

void CProductDescription::ReadItem(const std::string& group, const CProfileText::Entry& entry,
                                   const std::string& payload)
{
    Item item;
    item.group = group;
    item.key = entry.key;
    item.line = entry.line;
    item.fields = SplitFields(entry.value);
    item.fields.resize(std::max<size_t>(item.fields.size(), 6));
    const std::vector<std::string>& f = item.fields;
    for (int n = 0; n < 4; ++n) {
        if (!f[n].empty() && !IsNumber(f[n]))
            Fail(entry.line, "field " + std::to_string(n) + " of '" + entry.key + "' is '" + f[n] +
                                 "', not a number (leave it empty for mkdisks to fill in)");
    }

    const CProfileText::Section* members = m_text.Find(kArchivePrefix + entry.key);
    item.archive = members != nullptr;
    if (!f[1].empty() && f[1] != "0" && f[1] != "1")
        Fail(entry.line, "kind " + f[1] + " of '" + entry.key + "' is neither 0 (a file) nor 1 " +
                             "(an archive)");
    if (f[1] == "1" && !item.archive)
        Fail(entry.line, "'" + entry.key + "' is an archive (kind 1) but there is no section [" +
                             kArchivePrefix + entry.key + "] naming its members");
    if (f[1] == "0" && item.archive)
        Fail(entry.line, "'" + entry.key + "' is a plain file (kind 0) but section [" +
                             kArchivePrefix + entry.key + "] names members for it");

    if (item.archive) {
        ReadMembers(item, *members, payload);
    } else {
        item.file = PayloadFile(payload, entry.key, entry.line);
        CFileStatus status;
        CStdioFile::GetStatus(item.file.c_str(), status);
        item.size = status.m_size;
    }
    if (item.size > 0x7FFFFFFF)
        Fail(entry.line, "'" + entry.key + "' holds more than 2 GiB, beyond the size field");

    const int64_t count = item.archive ? static_cast<int64_t>(item.members.size()) : 1;
    if (!f[0].empty() && ParseLong(f[0].c_str()) != item.size)
        Fail(entry.line, "size " + f[0] + " of '" + entry.key + "' differs from the " +
                             std::to_string(item.size) + " bytes it installs");
    if (!f[2].empty() && ParseLong(f[2].c_str()) != count)
        Fail(entry.line, "file count " + f[2] + " of '" + entry.key + "' differs from the " +
                             std::to_string(count) + " file(s) it holds");
    if (!f[3].empty()) {
        const long diskette = ParseLong(f[3].c_str());
        if (diskette == 0 || diskette < -99 || diskette > 99)
            Fail(entry.line, "diskette " + f[3] + " of '" + entry.key + "' is not 1 to 99 " +
                                 "(negative: installed after the others of its diskette)");
        item.fixedDiskette = true;
        item.diskette = static_cast<int16_t>(diskette);
    }
    m_items.push_back(item);
}

void CProductDescription::ReadMembers(Item& item, const CProfileText::Section& section,
                                      const std::string& payload)
{
    if (section.entries.empty())
        Fail(section.line, "archive '" + item.key + "' has no members");
    for (const CProfileText::Entry& entry : section.entries) {
        Member member;
        member.name = entry.key;
        member.line = entry.line;
        member.file = PayloadFile(payload, entry.key, entry.line);
        if (entry.key.size() >= ArchiveFormat::kNameSize)
            Fail(entry.line, "member name '" + entry.key + "' is longer than 259 characters");
        const std::vector<std::string> f = SplitFields(entry.value);
        const std::string dest = f.size() > 0 ? f[0] : "";
        if (!dest.empty() && (!IsNumber(dest) || ParseLong(dest.c_str()) < -32768 ||
                              ParseLong(dest.c_str()) > 32767))
            Fail(entry.line, "destination '" + dest + "' of member '" + entry.key +
                                 "' is not a number from -32768 to 32767");
        member.dest = static_cast<int16_t>(ParseLong(dest.c_str()));
        const std::string method = f.size() > 1 ? f[1] : "";
        if (method.empty())
            member.method = CPackedMember::methodAuto;
        else if (method == "zlib")
            member.method = ArchiveFormat::methodZLib;
        else if (method == "stored")
            member.method = ArchiveFormat::methodStored;
        else
            Fail(entry.line, "method '" + method + "' of member '" + entry.key +
                                 "' is neither zlib nor stored");
        member.text = f.size() > 2 ? f[2] : "";
        if (member.text.size() >= ArchiveFormat::kTextSize)
            Fail(entry.line, "the text of member '" + entry.key + "' is longer than 39 characters");
        CFileStatus status;
        CStdioFile::GetStatus(member.file.c_str(), status);
        item.size += status.m_size;
        item.members.push_back(member);
    }
}

std::string CProductDescription::GetLabel(int n) const
{
    const CProfileText::Section* diskettes = m_text.Find("diskettes");
    if (diskettes == nullptr)
        return std::string();
    // The reader keeps the last record for a number.
    std::string label;
    for (const CProfileText::Entry& entry : diskettes->entries) {
        if (ParseLong(entry.key.c_str()) == n) {
            label.clear();
            ExtractField(label, entry.value.substr(0, 254).c_str(), 0, '|');
        }
    }
    return label;
}
