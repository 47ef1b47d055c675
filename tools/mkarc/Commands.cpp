// mkarc: makes, lists, tests and extracts the setup program's archives.
//
//   mkarc pack [options] ARCHIVE FILE...   options apply to the files after them
//   mkarc list ARCHIVE
//   mkarc test ARCHIVE
//   mkarc extract ARCHIVE DIR
//
// Exit status: 0 success, 1 damaged archive or I/O failure, 2 usage error.

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "ArchiveWriter.h"
#include "Commands.h"
#include "DirectoryList.h"
#include "PackedMember.h"
#include "PathText.h"
#include "PieceReader.h"
#include "Terminal.h"
#include "archive/ArchiveFormat.h"
#include "archive/MultiFileMember.h"
#include "errors/XException.h"
#include "support/XBlockFile.h"

namespace {

const char kUsage[] =
    "usage: mkarc pack [--method auto|zlib|stored] [--dest N] [--text T] [--mtime SECONDS]\n"
    "                  [--piece-size BYTES] ARCHIVE FILE...\n"
    "       mkarc list ARCHIVE\n"
    "       mkarc test ARCHIVE\n"
    "       mkarc extract ARCHIVE DIR\n"
    "       mkarc --help\n";

const char kHelp[] =
    "\n"
    "pack     packs the files into ARCHIVE (a directory stands for the files directly in\n"
    "         it, in name order). The options apply to the files after them:\n"
    "           --method M            how the data is packed: zlib, stored, or auto:\n"
    "                                 zlib where it makes the file smaller (auto)\n"
    "           --dest N              destination number: 0 main directory, -2 Windows,\n"
    "                                 -3 System, -1 not installed (0)\n"
    "           --text T              the member's text, at most 39 characters (none)\n"
    "           --mtime SECONDS       the time stored for the files, seconds since 1970;\n"
    "                                 fixed times give byte-identical archives (the file's)\n"
    "           --piece-size BYTES    cut the archive into pieces of at most BYTES; the\n"
    "                                 pieces after ARCHIVE are named by the reader's rule\n"
    "                                 (lower case, last character raised by one)\n"
    "list     one line per member\n"
    "test     reads every member and checks its checksum\n"
    "extract  writes every member into DIR\n"
    "\n"
    "list, test and extract follow the pieces in the archive's directory or in the\n"
    "numbered sibling directories DISKnn.\n"
    "Exit status: 0 success, 1 damaged archive or I/O failure, 2 usage error.\n";

// printf onto a stream, formatted first and written in one call: MinGW's
// stdio, which the C++ library selects, locks a stream it formats onto with
// the C runtime's _lock, and the msvcrt.dll of Windows 95 and NT 4.0 is not
// known to export it. Formatting into memory takes no lock.
void Print(FILE* stream, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vector<char> text(256);
    va_list again;
    va_copy(again, args);
    int length = vsnprintf(text.data(), text.size(), format, args);
    if (length >= static_cast<int>(text.size())) {
        text.resize(static_cast<size_t>(length) + 1);
        vsnprintf(text.data(), text.size(), format, again);
    }
    va_end(again);
    va_end(args);
    if (length > 0)
        fputs(text.data(), stream);
}

struct UsageError {
    std::string message;
};

// The failure of one member, for the one-line message.
struct Failure {
    std::string member;
    std::string error;
};

// The reader's own error title, with the file and the system error when the
// exception carries them.
std::string DescribeException(CException* e)
{
    std::unique_ptr<CXException> translated;
    CXException* x = nullptr;
    if (e->IsKindOf(RUNTIME_CLASS(CXException))) {
        x = static_cast<CXException*>(e);
    } else {
        translated.reset(TranslateToXException(e));
        x = translated.get();
    }
    x->PrepareErrorTexts();
    std::string text = g_strXErrorTitle;
    if (e->IsKindOf(RUNTIME_CLASS(CFileException))) {
        const CFileException* f = static_cast<CFileException*>(e);
        if (!f->m_strFileName.empty())
            text += " (" + f->m_strFileName + ")";
    }
    return text;
}

// The one-line message of a failure: the archive, the member when there is one,
// and what went wrong.
void ReportFailure(const std::string& archive, const std::string& member, const std::string& error)
{
    if (member.empty())
        Print(stderr, "mkarc: %s: %s\n", archive.c_str(), error.c_str());
    else
        Print(stderr, "mkarc: %s: %s: %s\n", archive.c_str(), member.c_str(), error.c_str());
}

// Reports an exception the reader or the writer raised and deletes it; the
// exit status for it.
int ReportException(const std::string& archive, const std::string& member, CException* e)
{
    ReportFailure(archive, member, DescribeException(e));
    e->Delete();
    return 1;
}

class CProgress {
public:
    CProgress() : m_bShow(IsTerminal(stderr)) {}
    ~CProgress() { Clear(); }
    void Show(const std::string& text)
    {
        if (!m_bShow)
            return;
        std::string line = text.substr(0, 78);
        Print(stderr, "\r%-78s", line.c_str());
        fflush(stderr);
        m_bShown = true;
    }
    void Clear()
    {
        if (m_bShown)
            Print(stderr, "\r%-78s\r", "");
        m_bShown = false;
    }

private:
    bool m_bShow;
    bool m_bShown = false;
};

bool ParseNumber(const char* text, long long low, long long high, long long& out)
{
    if (text == nullptr || *text == '\0')
        return false;
    char* end = nullptr;
    errno = 0;
    long long value = strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high)
        return false;
    out = value;
    return true;
}

struct PackItem {
    std::string file;
    uint32_t method = CPackedMember::methodAuto;
    uint16_t dest = 0;
    std::string text;
    bool fixedTime = false;
    uint32_t mtime = 0;
};

// A temporary file that is removed when it goes.
class CTemporaryFile {
public:
    explicit CTemporaryFile(const std::string& name) : m_strName(name) {}
    ~CTemporaryFile() { remove(m_strName.c_str()); }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;
    const std::string& Name() const { return m_strName; }

private:
    std::string m_strName;
};

// The files a FILE argument names: a directory stands for the files directly
// in it, by name; its subdirectories are not packed (members keep file names
// only), and each one passed over is said.
std::vector<std::string> FilesOf(const std::string& argument)
{
    if (!IsDirectory(argument))
        return {argument};
    std::vector<DirectoryEntry> entries;
    std::string error;
    if (!ListDirectory(argument, entries, error))
        throw Failure{argument, error};
    std::vector<std::string> files;
    for (const DirectoryEntry& entry : entries) {
        if (entry.directory)
            Print(stderr, "mkarc: %s: a directory, not packed\n", entry.path.c_str());
        else
            files.push_back(entry.path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

int Pack(const std::vector<std::string>& args)
{
    PackItem defaults;
    uint64_t pieceSize = 0;
    std::string archive;
    std::vector<PackItem> items;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= args.size())
                throw UsageError{a + " needs a value"};
            return args[++i].c_str();
        };
        long long n = 0;
        if (a == "--method") {
            std::string m = value();
            if (m == "auto")
                defaults.method = CPackedMember::methodAuto;
            else if (m == "stored")
                defaults.method = ArchiveFormat::methodStored;
            else if (m == "zlib")
                defaults.method = ArchiveFormat::methodZLib;
            else
                throw UsageError{"unknown method '" + m + "' (auto, zlib or stored)"};
        } else if (a == "--dest") {
            // Destination numbers are signed 16-bit: -2 Windows, -3 System, -4 the
            // temporary directory, -1 not installed.
            if (!ParseNumber(value(), -32768, 32767, n))
                throw UsageError{"--dest takes a number from -32768 to 32767 (-1: not installed)"};
            defaults.dest = static_cast<uint16_t>(n);
        } else if (a == "--text") {
            defaults.text = value();
            if (defaults.text.size() >= ArchiveFormat::kTextSize)
                throw UsageError{"--text takes at most 39 characters"};
        } else if (a == "--mtime") {
            if (!ParseNumber(value(), 0, 0xFFFFFFFFLL, n))
                throw UsageError{"--mtime takes seconds since 1970, from 0 to 4294967295"};
            defaults.fixedTime = true;
            defaults.mtime = static_cast<uint32_t>(n);
        } else if (a == "--piece-size") {
            if (!ParseNumber(value(), 1, 0x7FFFFFFF, n))
                throw UsageError{"--piece-size takes a number of bytes"};
            pieceSize = static_cast<uint64_t>(n);
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            throw UsageError{"unknown option " + a};
        } else if (archive.empty()) {
            archive = a;
        } else {
            for (const std::string& file : FilesOf(a)) {
                PackItem item = defaults;
                item.file = file;
                items.push_back(item);
            }
        }
    }
    if (archive.empty())
        throw UsageError{"pack needs an archive name"};
    if (items.empty())
        throw UsageError{"pack needs at least one file"};

    CProgress progress;
    std::string current;
    try {
        // Each member is packed into a temporary file first: its record needs
        // the packed size and the checksum before the data.
        std::vector<std::unique_ptr<CPackedMember>> members;
        std::vector<uint32_t> sizes;
        for (size_t i = 0; i < items.size(); ++i) {
            const PackItem& item = items[i];
            current = item.file;
            progress.Show("packing " + PathText::FileName(item.file));
            members.emplace_back(new CPackedMember(archive + ".part" + std::to_string(i)));
            CPackedMember::Options options;
            options.method = item.method;
            options.dest = item.dest;
            options.text = item.text;
            options.fixedTime = item.fixedTime;
            options.mtime = item.mtime;
            const std::string reason = members.back()->Pack(item.file, options);
            if (!reason.empty())
                throw UsageError{reason};
            sizes.push_back(members.back()->GetMember().GetPackedSize());
        }

        current.clear();
        CArchiveWriter writer(archive, pieceSize);
        const std::string reason = writer.Plan(sizes);
        if (!reason.empty()) {
            progress.Clear();
            Print(stderr, "mkarc: %s: cannot cut the archive: %s\n", archive.c_str(),
                  reason.c_str());
            return 1;
        }
        for (size_t i = 0; i < members.size(); ++i) {
            CMultiFileMember& member = members[i]->GetMember();
            current = member.GetName();
            progress.Show("writing " + current);
            CXFile data;
            data.OpenRead(members[i]->GetDataFile().c_str(), true);
            writer.AddMember(member, data);
        }
        current.clear();
        writer.Finish();
        progress.Clear();
        Print(stdout, "%s: %zu member(s) in %zu piece(s)\n", archive.c_str(), members.size(),
              writer.GetPieces().size());
        return 0;
    } catch (CException* e) {
        progress.Clear();
        return ReportException(archive, current, e);
    }
}

std::string FormatTime(uint32_t seconds)
{
    if (seconds == 0)
        return "-";
    time_t t = static_cast<time_t>(seconds);
    struct tm* utc = gmtime(&t);
    if (utc == nullptr)
        return std::to_string(seconds);
    char text[32];
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", utc);
    return text;
}

std::string MethodName(uint32_t method)
{
    if (method == ArchiveFormat::methodStored)
        return "stored";
    if (method == ArchiveFormat::methodZLib)
        return "zlib";
    return std::to_string(method);
}

// Walks the archive: for each member calls visit, which extracts it or not.
template <typename Visit> int Walk(const std::string& archive, Visit visit)
{
    CProgress progress;
    CPieceReader reader;
    std::string current;
    reader.m_onProgress = [&](int64_t bytes) {
        if ((bytes & 0xFFFFF) == 0)
            progress.Show(current + ": " + std::to_string(bytes >> 20) + " MiB read");
    };
    try {
        reader.OpenFirstPiece(archive);
        std::unique_ptr<CMultiFileMember> member(reader.CreateMember());
        for (;;) {
            current.clear();
            // With seek, what the previous member left unread is passed over,
            // across pieces.
            if (!reader.ReadNextEntry(*member, true))
                break;
            current = member->GetName();
            progress.Show(current);
            visit(reader, *member);
        }
        progress.Clear();
        return 0;
    } catch (CException* e) {
        progress.Clear();
        return ReportException(archive, current, e);
    } catch (const Failure& f) {
        progress.Clear();
        ReportFailure(archive, f.member, f.error);
        return 1;
    }
}

int List(const std::string& archive)
{
    Print(stdout, "%-24s %6s %-6s %10s %10s %-8s %-19s %4s %s\n", "name", "dest", "method",
          "packed", "unpacked", "crc", "time (UTC)", "attr", "cont");
    return Walk(archive, [](CPieceReader&, CMultiFileMember& m) {
        Print(stdout, "%-24s %6d %-6s %10" PRIu32 " %10" PRIu32 " %08" PRIX32 " %-19s %04X %d\n",
              m.GetName().c_str(), static_cast<int16_t>(m.GetDestinationId()),
              MethodName(m.GetMethod()).c_str(), m.GetPackedSize(), m.GetUnpackedSize(),
              m.GetRecordCrc(), FormatTime(m.GetModificationTime()).c_str(), m.GetAttributes(),
              m.IsContinued() ? 1 : 0);
        fflush(stdout);
    });
}

// The file name a member is extracted to: its name's file-name part only.
std::string SafeFileName(const CMultiFileMember& m)
{
    const std::string name = PathText::FileName(m.GetName());
    if (name.empty() || name == "." || name == ".." || name.find(':') != std::string::npos)
        throw Failure{m.GetName(), "the member has no usable file name"};
    return name;
}

int Test(const std::string& archive)
{
    const std::string scratch = archive + ".test";
    CTemporaryFile removeAfterwards(scratch);
    size_t count = 0;
    int status = Walk(archive, [&](CPieceReader& reader, CMultiFileMember& m) {
        m.SetDestination(scratch.c_str());
        // Test finds damage, not the attributes it would give.
        m.SetAttributes(0);
        reader.Extract(m);
        ++count;
    });
    if (status == 0)
        Print(stdout, "%s: %zu member(s) OK\n", archive.c_str(), count);
    return status;
}

int Extract(const std::string& archive, const std::string& dir)
{
    if (!PathText::Exists(dir)) {
        Print(stderr, "mkarc: %s: the directory does not exist\n", dir.c_str());
        return 1;
    }
    size_t count = 0;
    int status = Walk(archive, [&](CPieceReader& reader, CMultiFileMember& m) {
        m.SetDestination(PathText::Join(dir, SafeFileName(m)).c_str());
        reader.Extract(m);
        ++count;
    });
    if (status == 0)
        Print(stdout, "%s: %zu member(s) extracted into %s\n", archive.c_str(), count, dir.c_str());
    return status;
}

int Run(const std::vector<std::string>& args)
{
    if (args.empty())
        throw UsageError{"no command"};
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        fputs(kUsage, stdout);
        fputs(kHelp, stdout);
        return 0;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "pack")
        return Pack(rest);
    if (command == "list" || command == "test") {
        if (rest.size() != 1)
            throw UsageError{command + " takes one archive"};
        return command == "list" ? List(rest[0]) : Test(rest[0]);
    }
    if (command == "extract") {
        if (rest.size() != 2)
            throw UsageError{"extract takes an archive and a directory"};
        return Extract(rest[0], rest[1]);
    }
    throw UsageError{"unknown command '" + command + "'"};
}

} // namespace

int RunMkarc(const std::vector<std::string>& args)
{
    try {
        return Run(args);
    } catch (const UsageError& e) {
        Print(stderr, "mkarc: %s\n%s", e.message.c_str(), kUsage);
        return 2;
    } catch (const Failure& f) {
        Print(stderr, "mkarc: %s: %s\n", f.member.c_str(), f.error.c_str());
        return 1;
    }
}
