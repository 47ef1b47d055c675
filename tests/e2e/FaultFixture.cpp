#include "FaultFixture.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "SetupRun.h"

namespace {

const size_t kBigSize = 200000;
const size_t kOldBigSize = 50000;
const size_t kWorkSize = 100000;
const char kReadme[] = "Read me first.\r\n";
const char kOldReadme[] = "The user's old read-me.\r\n";
const char kNotes[] = "Notes from the diskette.\r\n";
const char kOldNotes[] = "The user's own notes, newer than any diskette.\r\n";
const char kLicense[] = "Velmo Screen Saver licence: use it, enjoy it.\r\n";
const long long kYear1990 = 631152000;
const long long kYear2030 = 1893456000;

struct CVersions {
    std::string oldText; // empty: the user had no such file
    std::string newText; // empty: the set brings no such file
};

// Every file a row may meet in the destination, old and new.
const std::map<std::string, CVersions>& Versions()
{
    static const std::map<std::string, CVersions> versions = {
        {"README.TXT", {kOldReadme, kReadme}},
        {"BIG.DAT", {Payload(kOldBigSize, 7), Payload(kBigSize, 1)}},
        {"NOTES.TXT", {kOldNotes, kNotes}},
        {"MYWORK.DOC", {Payload(kWorkSize, 9), ""}},
        {"LICENSE.TXT", {"", kLicense}},
    };
    return versions;
}

bool SetModificationTime(const std::string& path, long long unixSeconds)
{
    const unsigned long long ticks =
        (static_cast<unsigned long long>(unixSeconds) + 11644473600ULL) * 10000000ULL;
    FILETIME time = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = SetFileTime(file, nullptr, nullptr, &time) != FALSE;
    CloseHandle(file);
    return ok;
}

// A name that the engine gives a file while it waits: eight hex digits and
// the extension of its target.
bool IsTemporaryName(const std::string& name)
{
    const size_t dot = name.find('.');
    const size_t titleLength = dot == std::string::npos ? name.size() : dot;
    return titleLength == 8 && std::all_of(name.begin(), name.begin() + 8, [](char ch) {
               return std::isxdigit(static_cast<unsigned char>(ch)) != 0;
           });
}

const char* VersionName(CFaultFixture::Version version)
{
    switch (version) {
    case CFaultFixture::verOld:
        return "the user's version";
    case CFaultFixture::verNew:
        return "the new version";
    case CFaultFixture::verOldOrNew:
        return "the old or the new version";
    case CFaultFixture::verAbsent:
        break;
    }
    return "absent";
}

} // namespace

CFaultFixture::CFaultFixture(const CSetupRun& setup, const Options& options)
    : m_disk1(setup.Dir() + "DISK01\\"), m_disk2(setup.Dir() + "DISK02\\"),
      m_top(options.mounted ? std::string() : "C:\\" + setup.Name())
{
    const std::string destination =
        options.mounted ? "velmo-fault-disk"
                        : setup.Name() + (options.below.empty() ? "" : "\\" + options.below);
    m_target = "C:\\" + destination + "\\";
    const std::string work = setup.Dir() + "work\\";
    for (const std::string& dir : {work, m_disk1, m_disk2})
        CreateDirectoryA(dir.c_str(), nullptr);
    WriteFileText(work + "BIG.DAT", Versions().at("BIG.DAT").newText);
    WriteFileText(work + "LICENSE.TXT", kLicense);
    // BIG.DAT runs across the cut between the pieces, unless in one piece.
    const std::string pack = "\"" + setup.Programs().mkarc +
                             "\" pack --mtime 865166400 --method zlib --piece-size " +
                             (options.onePiece ? "1000000" : "120000") +
                             " SAVER.ARC --dest 0 BIG.DAT --dest 0 LICENSE.TXT";
    m_packed = RunProgram(pack, work) &&
               MoveFileA((work + "SAVER.ARC").c_str(), (m_disk1 + "SAVER.ARC").c_str()) &&
               (options.onePiece ||
                MoveFileA((work + "saver.ard").c_str(), (m_disk2 + "saver.ard").c_str()));
    WriteFileText(m_disk1 + "README.TXT", kReadme);
    WriteFileText(m_disk2 + "NOTES.TXT", kNotes);
    CopyFileA((setup.Dir() + "SETUP.EXE").c_str(), (m_disk1 + "SETUP.EXE").c_str(), FALSE);
    for (const std::string& disk : {m_disk1, m_disk2})
        CopyFileA((setup.Dir() + "ismif32.dll").c_str(), (disk + "ismif32.dll").c_str(), FALSE);
    WriteProfile("[destinations]\r\n0=" + destination +
                 "\r\n"
                 "[groups]\r\nMain=Velmo|The saver|1|1|1\r\n"
                 "[Main]\r\n"
                 "README.TXT=" +
                 std::to_string(sizeof kReadme - 1) +
                 "|0|1|1|0|\r\nSAVER.ARC=" + std::to_string(kBigSize + sizeof kLicense - 1) +
                 "|1|2|1|0|\r\nNOTES.TXT=" + std::to_string(sizeof kNotes - 1) +
                 "|0|1|2|0|\r\n"
                 "[diskettes]\r\n1=Fault Disk 1|\r\n2=Fault Disk 2|\r\n");

    if (!options.seeded) {
        for (size_t end = 3; (end = m_target.find('\\', end)) != std::string::npos; ++end)
            CreateDirectoryA(m_target.substr(0, end).c_str(), nullptr);
        m_packed = WriteUserFiles(m_target) && m_packed;
    }
}

CFaultFixture::~CFaultFixture()
{
    // Read-only files would stay behind. A mounted destination stays; its
    // files go.
    for (const std::string& name : ListDirectory(m_target)) {
        const std::string path = m_target + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    if (!m_top.empty())
        RemoveTree(m_top);
}

bool CFaultFixture::WriteUserFiles(const std::string& dir)
{
    bool ok = true;
    for (const auto& file : Versions()) {
        if (file.second.oldText.empty())
            continue;
        const std::string path = dir + file.first;
        ok = WriteFileText(path, file.second.oldText) && ok;
        // The user's notes are newer than the diskette's; the rest older.
        ok = SetModificationTime(path, file.first == "NOTES.TXT" ? kYear2030 : kYear1990) && ok;
    }
    return ok;
}

bool CFaultFixture::Packed() const
{
    return Check(m_packed, "mkarc packs the diskette set and the user's files are in place");
}

void CFaultFixture::WriteProfile(const std::string& text) const
{
    WriteFileText(m_disk1 + "SETUP.ini", text);
}

CFaultFixture::Expected CFaultFixture::Installed()
{
    return {{"README.TXT", verNew},
            {"BIG.DAT", verNew},
            {"NOTES.TXT", verOld},
            {"MYWORK.DOC", verOld},
            {"LICENSE.TXT", verNew}};
}

CFaultFixture::Expected CFaultFixture::Untouched()
{
    return {{"README.TXT", verOld},
            {"BIG.DAT", verOld},
            {"NOTES.TXT", verOld},
            {"MYWORK.DOC", verOld},
            {"LICENSE.TXT", verAbsent}};
}

bool CFaultFixture::Holds(const Expected& expected, size_t scheduled) const
{
    bool ok = true;
    size_t waiting = 0;
    std::string unexpected;
    for (const std::string& name : ListDirectory(m_target)) {
        if (Versions().count(name) != 0)
            continue;
        if (IsTemporaryName(name))
            ++waiting;
        else
            unexpected += name + " ";
    }
    ok = Check(unexpected.empty(), "no file but the set's and the user's", unexpected) && ok;
    ok = Check(waiting == scheduled,
               scheduled == 0 ? "no temporary file is left"
                              : "the file scheduled for the restart waits, no other",
               std::to_string(waiting) + " temporary files") &&
         ok;

    for (const auto& file : Versions()) {
        const std::string& name = file.first;
        const CVersions& versions = file.second;
        const bool exists = FileExists(m_target + name);
        const std::string text = exists ? ReadFileText(m_target + name) : std::string();
        const bool isOld = exists && !versions.oldText.empty() && text == versions.oldText;
        const bool isNew = exists && !versions.newText.empty() && text == versions.newText;
        // Whatever the row: a file the user had is whole, old or new.
        if (!versions.oldText.empty())
            ok = Check(isOld || isNew, (name + " is whole, old or new").c_str(),
                       exists ? std::to_string(text.size()) + " other bytes" : "it is gone") &&
                 ok;
        const auto want = expected.find(name);
        if (want == expected.end())
            continue;
        bool matches = false;
        switch (want->second) {
        case verOld:
            matches = isOld;
            break;
        case verNew:
            matches = isNew;
            break;
        case verOldOrNew:
            matches = isOld || isNew;
            break;
        case verAbsent:
            matches = !exists;
            break;
        }
        ok = Check(matches, (name + " is " + VersionName(want->second)).c_str()) && ok;
    }
    return ok;
}
