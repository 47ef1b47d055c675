// The INI line editor of replacement at restart on arbitrary wininit.ini
// contents: one [rename] entry added, as the copy engine adds it for a file
// in use, under the single-byte and a double-byte code page.
//
// Input: the code-page selector, an entry selector, then the file's contents.
// Checks: the edit either leaves the file byte for byte as it was, or gives
// the old lines with exactly one entry added (at a line start; or at the end,
// after a line end that the last line lacked, and under a new section header
// when the section was missing); no copy is left beside the file; the same
// entry added again leaves the file as it is.
#include <filesystem>
#include <iterator>
#include <string>

#include "framework/FileException.h"
#include "fuzz/FuzzSupport.h"
#include "install/IniEntryAdder.h"
#include "support/Mbcs.h"

namespace {

struct Entry {
    const char* section;
    const char* key;
    const char* value;
};

// What the copy engine writes, and spellings the file may already hold.
const Entry kEntries[] = {
    {"rename", "C:\\WINDOWS\\SYSTEM\\VELMO.DLL", "C:\\WINDOWS\\SYSTEM\\1a2b3c4d.DLL"},
    {"rename", "c:\\windows\\system\\velmo.dll", "C:\\WINDOWS\\SYSTEM\\41c64e6d.DLL"},
    {"Rename", "C:\\APP\\SAVER.SCR", "C:\\APP\\00290005.SCR"},
    {"rename", "NUL", "C:\\WINDOWS\\TEMP\\7c3e2a11.TMP"},
};

// True when edited is old with text inserted at position at.
bool InsertedAt(const std::string& old, const std::string& edited, const std::string& text,
                size_t at)
{
    return at <= old.size() && edited.size() == old.size() + text.size() &&
           edited.compare(0, at, old, 0, at) == 0 && edited.compare(at, text.size(), text) == 0 &&
           edited.compare(at + text.size(), std::string::npos, old, at, std::string::npos) == 0;
}

// The old lines plus exactly one entry.
bool OneEntryAdded(const std::string& old, const std::string& edited, const Entry& entry)
{
    const std::string line = std::string(entry.key) + "=" + entry.value + "\n";
    const std::string header = std::string("[") + entry.section + "]\n";
    const bool endsInLine = old.empty() || old.back() == '\n';
    const std::string lineEnd = endsInLine ? "" : "\n";
    // At the end of the file: the entry, or a new section with it.
    if (InsertedAt(old, edited, lineEnd + line, old.size()) ||
        InsertedAt(old, edited, lineEnd + header + line, old.size()))
        return true;
    // Before a later section's header: at a line start.
    for (size_t at = 0; at < old.size(); at = old.find('\n', at) + 1) {
        if (InsertedAt(old, edited, line, at))
            return true;
        if (old.find('\n', at) == std::string::npos)
            break;
    }
    return false;
}

std::ptrdiff_t FilesIn(const std::string& directory)
{
    return std::distance(std::filesystem::directory_iterator(directory),
                         std::filesystem::directory_iterator());
}

// Adds the entry; false when the edit reported that it could not put its copy
// in place. CFileException is the one failure the editor may raise.
bool Add(const std::string& path, const Entry& entry)
{
    try {
        CIniEntryAdder adder{CFilePath(path)};
        return adder.AddEntry(entry.section, entry.key, entry.value);
    } catch (CException* e) {
        ExpectKind(e, {RUNTIME_CLASS(CFileException)});
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CFuzzScratch& scratch = CFuzzScratch::Get();
    CFuzzInput in(data, size);
    Mbcs::SetCodePage(FuzzCodePage(in.Byte()));
    const Entry& entry = kEntries[in.Byte() % (sizeof kEntries / sizeof kEntries[0])];
    const std::string old = in.Rest();
    const std::string directory = scratch.Path("windows");
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
    std::filesystem::create_directory(directory, ignored);
    const std::string path = directory + "/wininit.ini";
    scratch.Write("windows/wininit.ini", old);

    const bool added = Add(path, entry);
    const std::string edited = ReadWholeFile(path);
    Require(edited == old || (added && OneEntryAdded(old, edited, entry)),
            "the file is as it was, or its old lines with exactly one entry added");
    Require(FilesIn(directory) == 1, "no copy is left beside the file");
    if (added) {
        Require(Add(path, entry), "the same entry added again");
        Require(ReadWholeFile(path) == edited, "an entry already there is not added again");
        Require(FilesIn(directory) == 1, "no copy is left beside the file");
    }
    Mbcs::SetCodePage(0);
    return 0;
}
