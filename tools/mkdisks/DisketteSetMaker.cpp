#include "DisketteSetMaker.h"

#include <utime.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ArchiveWriter.h"
#include "InputError.h"
#include "PackedMember.h"
#include "PathText.h"
#include "ProfileCheck.h"
#include "archive/MultiFile.h"
#include "framework/StdioFile.h"
#include "support/XFile.h"

namespace fs = std::filesystem;

namespace {

const char kStatusLibraryName[] = "ismif32.dll";

bool IsDisketteName(const std::string& name, const char* extension)
{
    const std::string tail = extension;
    return name.size() == 6 + tail.size() && name.compare(0, 4, "DISK") == 0 &&
           isdigit(static_cast<unsigned char>(name[4])) &&
           isdigit(static_cast<unsigned char>(name[5])) &&
           name.compare(6, std::string::npos, tail) == 0;
}

} // namespace

CDisketteSetMaker::CDisketteSetMaker(const Options& options) : m_options(options) {}

CDisketteSetMaker::~CDisketteSetMaker()
{
    // Packed members first: their files lie in the work directory.
    m_placed.clear();
    std::error_code ignored;
    if (!m_strWork.empty())
        fs::remove_all(m_strWork, ignored);
}

std::string CDisketteSetMaker::DisketteDirectory(int n) const
{
    char name[16];
    snprintf(name, sizeof name, "DISK%02d", n);
    return PathText::Join(m_options.out, name);
}

uint32_t CDisketteSetMaker::TimeOf(const std::string& path) const
{
    CFileStatus status;
    if (!CStdioFile::GetStatus(path.c_str(), status))
        return 0;
    return static_cast<uint32_t>(status.m_mtime);
}

void CDisketteSetMaker::SetTime(const std::string& path, uint32_t time)
{
    struct utimbuf times;
    times.actime = static_cast<time_t>(time);
    times.modtime = static_cast<time_t>(time);
    if (utime(path.c_str(), &times) != 0)
        throw CInputError{path, 0, "cannot set the file's time"};
}

void CDisketteSetMaker::CopyFile(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error)
        throw CInputError{to, 0, "cannot be written: " + error.message()};
    SetTime(to, m_options.fixedTime ? m_options.time : TimeOf(from));
}

void CDisketteSetMaker::Make()
{
    m_description.Load(m_options.description, m_options.payload);
    CFileStatus status;
    if (!CStdioFile::GetStatus(m_options.setup.c_str(), status))
        throw CInputError{m_options.setup, 0, "the setup program cannot be read"};
    if (!m_options.statusLibrary.empty() &&
        !CStdioFile::GetStatus(m_options.statusLibrary.c_str(), status))
        throw CInputError{m_options.statusLibrary, 0, "the status library cannot be read"};
    // The program reads the profile named like itself, with extension ini.
    const std::string setupName = PathText::FileName(m_options.setup);
    m_strProfileName = setupName.substr(0, setupName.rfind('.')) + ".ini";

    if (m_options.fixedTime) {
        m_nMadeTime = m_options.time;
    } else {
        m_nMadeTime = std::max(TimeOf(m_options.description), TimeOf(m_options.setup));
        if (!m_options.statusLibrary.empty())
            m_nMadeTime = std::max(m_nMadeTime, TimeOf(m_options.statusLibrary));
        for (const CProductDescription::Item& item : m_description.GetItems()) {
            m_nMadeTime = std::max(m_nMadeTime, TimeOf(item.file));
            for (const CProductDescription::Member& member : item.members)
                m_nMadeTime = std::max(m_nMadeTime, TimeOf(member.file));
        }
    }

    std::error_code error;
    fs::create_directories(m_options.out, error);
    if (error)
        throw CInputError{m_options.out, 0, "cannot be made: " + error.message()};
    // A set made before in the same place goes; nothing else there is touched.
    for (const fs::directory_entry& entry : fs::directory_iterator(m_options.out, error)) {
        const std::string name = entry.path().filename().string();
        if (IsDisketteName(name, "") || IsDisketteName(name, ".IMG"))
            fs::remove_all(entry.path(), error);
    }
    m_strWork = PathText::Join(m_options.out, ".mkdisks-work");
    fs::remove_all(m_strWork, error);
    fs::create_directories(m_strWork, error);
    if (error)
        throw CInputError{m_strWork, 0, "cannot be made: " + error.message()};

    PackArchives();
    // The profile's size depends on the numbers placing writes into it:
    // place again with the room it took until it fits in what was kept.
    uint64_t kept = 0;
    std::string profile;
    bool settled = false;
    for (int round = 0; round < 8 && !settled; ++round) {
        Place(kept);
        profile = RenderProfile();
        settled =
            kept != 0 && CDiskettePlan::Clusters(profile.size()) <= CDiskettePlan::Clusters(kept);
        kept = std::max<uint64_t>(kept, profile.size());
    }
    if (!settled)
        throw CInputError{m_description.GetPath(), 0,
                          "the finished profile's size does not settle between layouts"};
    WriteSet(profile);
    CheckWithReader(PathText::Join(DisketteDirectory(1), m_strProfileName), m_description);
}

void CDisketteSetMaker::PackArchives()
{
    const std::vector<CProductDescription::Item>& items = m_description.GetItems();
    m_placed.clear();
    m_placed.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        for (size_t m = 0; m < items[i].members.size(); ++m) {
            const CProductDescription::Member& member = items[i].members[m];
            std::unique_ptr<CPackedMember> packed(new CPackedMember(
                PathText::Join(m_strWork, std::to_string(i) + "." + std::to_string(m))));
            CPackedMember::Options options;
            options.method = member.method;
            options.dest = static_cast<uint16_t>(member.dest);
            options.text = member.text;
            options.fixedTime = m_options.fixedTime;
            options.mtime = m_options.time;
            const std::string reason = packed->Pack(member.file, options);
            if (!reason.empty())
                throw CInputError{m_description.GetPath(), member.line, reason};
            m_placed[i].members.push_back(std::move(packed));
        }
    }
}

void CDisketteSetMaker::Place(uint64_t profileBytes)
{
    m_plan.reset(new CDiskettePlan(m_options.capacity));
    const std::vector<CProductDescription::Item>& items = m_description.GetItems();
    const std::string path = m_description.GetPath();

    // The first diskette begins with what the program needs to start.
    struct First {
        std::string name;
        uint64_t bytes;
    };
    std::vector<First> first = {{PathText::FileName(m_options.setup), 0},
                                {m_strProfileName, profileBytes}};
    CFileStatus status;
    CStdioFile::GetStatus(m_options.setup.c_str(), status);
    first[0].bytes = status.m_size;
    if (!m_options.statusLibrary.empty()) {
        CStdioFile::GetStatus(m_options.statusLibrary.c_str(), status);
        first.push_back({kStatusLibraryName, status.m_size});
    }
    for (const First& f : first) {
        if (!m_plan->Fits(1, f.name, f.bytes))
            throw CInputError{m_options.setup, 0,
                              "the setup program, its profile and the status library do not fit "
                              "on one diskette of " +
                                  std::to_string(m_plan->GetCapacity()) + " bytes"};
        m_plan->Add(1, f.name, f.bytes);
    }

    for (size_t i = 0; i < items.size(); ++i) {
        const CProductDescription::Item& item = items[i];
        if (!item.fixedDiskette)
            continue;
        const int n = item.diskette < 0 ? -item.diskette : item.diskette;
        if (item.archive) {
            PlaceArchive(i, n);
            continue;
        }
        if (!m_plan->Fits(n, item.key, static_cast<uint64_t>(item.size)))
            throw CInputError{path, item.line,
                              "'" + item.key + "' does not fit on diskette " + std::to_string(n) +
                                  ", which its entry gives"};
        m_plan->Add(n, item.key, static_cast<uint64_t>(item.size));
        m_placed[i].diskette = n;
    }

    int current = 1;
    for (size_t i = 0; i < items.size(); ++i) {
        const CProductDescription::Item& item = items[i];
        if (item.fixedDiskette)
            continue;
        if (item.archive) {
            PlaceArchive(i, current);
            current = m_placed[i].diskette + static_cast<int>(m_placed[i].pieces.size()) - 1;
            continue;
        }
        const uint64_t size = static_cast<uint64_t>(item.size);
        if (CDiskettePlan::Clusters(size) * CDiskettePlan::kCluster > m_plan->GetCapacity())
            throw CInputError{path, item.line,
                              "'" + item.key + "' (" + std::to_string(size) +
                                  " bytes) is larger than a whole diskette (" +
                                  std::to_string(m_plan->GetCapacity()) +
                                  " bytes) and is not an archive: put it in one, which is cut "
                                  "across diskettes"};
        while (!m_plan->Fits(current, item.key, size)) {
            if (++current > CDiskettePlan::kMaxDiskettes)
                throw CInputError{path, item.line,
                                  "'" + item.key +
                                      "' would go on diskette 100: a set holds at "
                                      "most 99 diskettes (DISK01 to DISK99)"};
        }
        m_plan->Add(current, item.key, size);
        m_placed[i].diskette = current;
    }
}

void CDisketteSetMaker::PlaceArchive(size_t index, int first)
{
    const CProductDescription::Item& item = m_description.GetItems()[index];
    Placed& placed = m_placed[index];
    std::vector<uint32_t> packed;
    for (const auto& member : placed.members)
        packed.push_back(member->GetMember().GetPackedSize());

    for (int start = first;; ++start) {
        if (start > CDiskettePlan::kMaxDiskettes)
            throw CInputError{m_description.GetPath(), item.line,
                              "archive '" + item.key +
                                  "' would begin on diskette 100: a set "
                                  "holds at most 99 diskettes"};
        // The room of each diskette from start on for the piece that would lie
        // there, named by the reader's next-piece rule.
        std::vector<uint64_t> sizes;
        std::string name = item.key;
        for (int n = start; n <= CDiskettePlan::kMaxDiskettes; ++n) {
            sizes.push_back(m_plan->FreeBytes(n, name));
            name = CMultiFile::NextPieceName(name.c_str());
        }
        placed.writer.reset(new CArchiveWriter(PathText::Join(m_strWork, item.key), 0));
        placed.writer->SetPieceSizes(sizes);
        const std::string reason = placed.writer->Plan(packed);
        if (!reason.empty()) {
            // Too little left here for a useful first piece: begin on the next.
            if (sizes[0] < m_plan->GetCapacity())
                continue;
            throw CInputError{m_description.GetPath(), item.line,
                              "archive '" + item.key + "' cannot be laid out: " + reason};
        }
        placed.pieces = placed.writer->GetPlannedPieces();
        placed.diskette = start;
        break;
    }
    if (placed.diskette + placed.pieces.size() - 1 > CDiskettePlan::kMaxDiskettes)
        throw CInputError{m_description.GetPath(), item.line,
                          "archive '" + item.key + "' would go on past diskette 99: a set " +
                              "holds at most 99 diskettes"};
    std::string name = item.key;
    for (size_t j = 0; j < placed.pieces.size(); ++j) {
        m_plan->Add(placed.diskette + static_cast<int>(j), name, placed.pieces[j]);
        name = CMultiFile::NextPieceName(name.c_str());
    }
}

std::string CDisketteSetMaker::RenderProfile()
{
    const std::vector<CProductDescription::Item>& items = m_description.GetItems();
    CProfileText& text = m_description.GetText();
    for (size_t i = 0; i < items.size(); ++i) {
        const CProductDescription::Item& item = items[i];
        std::vector<std::string> fields = item.fields;
        fields[0] = std::to_string(item.size);
        fields[1] = item.archive ? "1" : "0";
        fields[2] = std::to_string(item.archive ? item.members.size() : 1);
        const bool marked = item.fixedDiskette && item.diskette < 0;
        fields[3] = std::to_string(marked ? -m_placed[i].diskette : m_placed[i].diskette);
        std::string value;
        for (size_t f = 0; f < fields.size(); ++f)
            value += (f > 0 ? "|" : "") + fields[f];
        if (value.size() > 254)
            throw CInputError{m_description.GetPath(), item.line,
                              "the entry of '" + item.key + "' would be " +
                                  std::to_string(value.size()) +
                                  " characters long: the setup program reads only 254"};
        text.ReplaceLine(item.line, item.key + "=" + value);
    }
    for (int line : m_description.GetDescriptionOnlyLines())
        text.DropLine(line);
    return text.Render();
}

void CDisketteSetMaker::WriteSet(const std::string& profile)
{
    std::error_code error;
    for (int n = 1; n <= m_plan->GetCount(); ++n) {
        fs::create_directories(DisketteDirectory(n), error);
        if (error)
            throw CInputError{DisketteDirectory(n), 0, "cannot be made: " + error.message()};
    }
    const std::string disk1 = DisketteDirectory(1);
    CopyFile(m_options.setup, PathText::Join(disk1, PathText::FileName(m_options.setup)));
    const std::string profilePath = PathText::Join(disk1, m_strProfileName);
    {
        std::ofstream file(profilePath, std::ios::binary | std::ios::trunc);
        file << profile;
        if (!file.flush())
            throw CInputError{profilePath, 0, "cannot be written"};
    }
    SetTime(profilePath, m_nMadeTime);
    if (!m_options.statusLibrary.empty())
        CopyFile(m_options.statusLibrary, PathText::Join(disk1, kStatusLibraryName));

    const std::vector<CProductDescription::Item>& items = m_description.GetItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const CProductDescription::Item& item = items[i];
        Placed& placed = m_placed[i];
        if (!item.archive) {
            CopyFile(item.file, PathText::Join(DisketteDirectory(placed.diskette), item.key));
            continue;
        }
        for (const auto& member : placed.members) {
            CXFile data;
            data.OpenRead(member->GetDataFile().c_str(), true);
            placed.writer->AddMember(member->GetMember(), data);
        }
        placed.writer->Finish();
        const std::vector<std::string>& pieces = placed.writer->GetPieces();
        for (size_t j = 0; j < pieces.size(); ++j) {
            const std::string target =
                PathText::Join(DisketteDirectory(placed.diskette + static_cast<int>(j)),
                               PathText::FileName(pieces[j]));
            fs::rename(pieces[j], target, error);
            if (error)
                throw CInputError{target, 0, "cannot be written: " + error.message()};
            SetTime(target, m_nMadeTime);
        }
    }
}
