// The path operations on arbitrary text, under the single-byte and a
// double-byte code page: a path from the input, then up to 16 operations, each
// an operation byte and an argument text.
//
// After every step: a composed path is at most 260 characters, a component
// at most 256; the directory with drive and the file name are made of the
// split parts. Operations given a plain name (letters, digits, '_') whose
// result fits do what they say and keep the other parts: a new title or
// extension reads back, a directory appended ends the directory, going up
// or to the root keeps drive, title and extension (for paths with no ':'
// beyond the drive's).
#include <algorithm>
#include <cctype>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "support/FilePath.h"
#include "support/Mbcs.h"

namespace {

struct Parts {
    std::string drive, dir, title, ext;
    explicit Parts(const CFilePath& path) { path.Split(&drive, &dir, &title, &ext); }
};

bool IsPlainName(const std::string& s)
{
    return !s.empty() && s.size() <= 64 && std::all_of(s.begin(), s.end(), [](char c) {
        return isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

// A path whose last byte is a lone lead byte: composed again, that byte
// takes the next separator or dot for its trail byte.
bool EndsInLeadByte(const CFilePath& path)
{
    const std::string& s = path.GetString();
    const size_t last = Mbcs::LastCharStart(s);
    return last != std::string::npos && Mbcs::IsLeadByte(static_cast<unsigned char>(s[last]));
}

// Two separators in a row: a split takes only one of them off the directory,
// so the directory of such a path changes when it is composed again.
bool HasDoubleSeparator(const CFilePath& path)
{
    const std::string& s = path.GetString();
    for (size_t i = 1; i < s.size(); ++i) {
        if ((s[i] == '\\' || s[i] == '/') && (s[i - 1] == '\\' || s[i - 1] == '/'))
            return true;
    }
    return false;
}

void CheckShape(const CFilePath& path, bool composed)
{
    const Parts parts(path);
    if (composed)
        Require(path.GetString().size() <= CFilePath::kMaxPath,
                "a composed path fits 260 characters");
    Require(parts.drive.size() <= 1, "the drive is one letter");
    Require(parts.dir.size() <= CFilePath::kMaxComponent &&
                parts.title.size() <= CFilePath::kMaxComponent &&
                parts.ext.size() <= CFilePath::kMaxComponent,
            "a component fits 256 characters");
    std::string directory;
    path.GetDirectory(directory);
    Require(directory == (parts.drive.empty() ? std::string() : parts.drive + ":" + parts.dir),
            "the directory is drive, colon and directory, or nothing without a drive");
    std::string name;
    path.GetFileName(name);
    Require(name == parts.title + (parts.ext.empty() ? std::string() : "." + parts.ext),
            "the file name is title and extension");
}

// Applies one operation; checks what a plain argument promises.
void Apply(CFilePath& path, uint8_t op, const std::string& arg)
{
    const Parts before(path);
    const bool plain = IsPlainName(arg);
    // Where the promises hold: room for the argument, a dot and two
    // backslashes, so that nothing is cut; no ':' but the drive's, which a new
    // leading backslash could turn into a drive ("\\:X"); no doubled
    // separator; no lone lead byte at the end; no dot in the title (a path
    // ending in a dot), which the next split takes for the extension's.
    const bool wellFormed =
        path.GetString().size() + arg.size() + 4 <= CFilePath::kMaxPath &&
        before.dir.size() + arg.size() + 2 <= CFilePath::kMaxComponent &&
        path.GetString().find(':') == (before.drive.empty() ? std::string::npos : 1) &&
        path.GetString().find(':', 2) == std::string::npos && !HasDoubleSeparator(path) &&
        !EndsInLeadByte(path) && before.title.find('.') == std::string::npos;
    switch (op % 12) {
    case 0:
        path.SetFileTitle(arg.c_str());
        if (plain && wellFormed) {
            const Parts after(path);
            Require(after.title == arg && after.drive == before.drive && after.dir == before.dir &&
                        after.ext == before.ext,
                    "SetFileTitle replaces the title alone");
        }
        break;
    case 1:
        path.SetExtension(arg.c_str());
        if (plain && wellFormed) {
            const Parts after(path);
            Require(after.ext == arg && after.title == before.title,
                    "SetExtension replaces the extension");
        }
        break;
    case 2:
        path.AppendDir(arg.c_str());
        if (plain && wellFormed) {
            const Parts after(path);
            const std::string tail = "\\" + arg;
            Require(after.dir.size() >= tail.size() &&
                        after.dir.compare(after.dir.size() - tail.size(), tail.size(), tail) == 0 &&
                        after.title == before.title && after.ext == before.ext,
                    "AppendDir ends the directory with the new component");
        }
        break;
    case 3: {
        std::string last;
        path.UpOneLevel(&last);
        const Parts after(path);
        if (wellFormed)
            Require(after.drive == before.drive && after.title == before.title &&
                        after.ext == before.ext,
                    "UpOneLevel keeps drive, title and extension");
        break;
    }
    case 5: {
        path.SetRoot();
        const Parts after(path);
        Require(!wellFormed || (after.title.empty() && after.ext.empty() && after.dir == "\\" &&
                                after.drive == before.drive),
                "SetRoot leaves the drive and the root directory");
        break;
    }
    case 9: {
        const char letter = arg.empty() ? 'C' : arg[0];
        path.SetDrive(letter);
        if (letter >= 'A' && letter <= 'Z' && wellFormed) {
            const Parts after(path);
            Require(after.drive == std::string(1, letter) && after.title == before.title,
                    "SetDrive sets the drive");
        }
        break;
    }
    // The others must merely not break the path's shape.
    case 4:
        path.UpOneLevel();
        break;
    case 6:
        path.SetDir(arg.c_str());
        break;
    case 7:
        path.SetDirectory(arg.c_str());
        break;
    case 8:
        path.SetFileName(arg.c_str());
        break;
    case 10:
        path.MakePath(arg.c_str(), arg.c_str(), arg.c_str(), arg.c_str());
        break;
    default: {
        std::string full;
        path.GetFullPath(full);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput in(data, size);
    Mbcs::SetCodePage(FuzzCodePage(in.Byte()));
    CFilePath path(in.Text());
    CheckShape(path, false);
    // Every operation that changes the text composes it anew.
    bool composed = false;
    for (int step = 0; step < 16 && !in.AtEnd(); ++step) {
        const uint8_t op = in.Byte();
        const std::string arg = in.Text();
        const std::string old = path.GetString();
        Apply(path, op, arg);
        composed = composed || path.GetString() != old;
        CheckShape(path, composed);
    }
    Mbcs::SetCodePage(0);
    return 0;
}
