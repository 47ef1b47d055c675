// Adding an entry to an initialisation file, on real files (the same cases
// natively and under Wine): where the entry goes, when the file is left
// alone, and double-byte names.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "framework/StdioFile.h"
#include "install/IniEntryAdder.h"
#include "support/Mbcs.h"
#include "common/ScratchDirectory.h"

namespace {

// The files are text files: their line ends are the platform's.
#ifdef _WIN32
const char kLineEnd[] = "\r\n";
#else
const char kLineEnd[] = "\n";
#endif

// text with each "\n" in the platform's form.
std::string Text(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string(kLineEnd) : std::string(1, c);
    return out;
}

// Makes the scratch directory current for the test (it goes back when the
// directory goes). The editors get file names without a directory: built
// natively, the path type puts its new names together with backslashes,
// which are no separators there.
class CInScratch : public CScratchDirectory {
public:
    CInScratch() { std::filesystem::current_path(Path()); }
};

// Adds key=value to section of test.ini holding `before` (no file without
// it, else dated 2001, so that any change shows); returns what the file holds
// after, and in written whether it was written at all.
std::string AddEntry(const std::optional<std::string>& before, const std::string& section,
                     const std::string& key, const std::string& value, bool& written)
{
    CInScratch scratch;
    const std::string path = scratch.File("test.ini");
    CFileStatus status;
    if (before) {
        scratch.WriteFile("test.ini", Text(*before));
        EXPECT_TRUE(CStdioFile::GetStatus(path.c_str(), status));
        status.m_mtime = 1000000000;
        CStdioFile::SetStatus(path.c_str(), status);
    }
    CIniEntryAdder adder("test.ini");
    EXPECT_TRUE(adder.AddEntry(section.c_str(), key.c_str(), value.c_str()));
    written = !CStdioFile::GetStatus(path.c_str(), status) || status.m_mtime != 1000000000;
    const auto dir = std::filesystem::path(path).parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "a copy was left";
    return ReadWholeFile(path);
}

} // namespace

TEST(IniEntryAdder, PlacesTheEntryAtTheEndOfItsSectionUnlessItIsThere)
{
    const std::string entry = "C:\\APP\\SAVER.SCR=C:\\APP\\1A2B3C4D.SCR\n";
    const std::string longLine = "; " + std::string(1500, 'x') + "\n";
    struct {
        std::optional<std::string> before;
        std::string after;
    } const cases[] = {
        // No file: created with the section and the entry.
        {std::nullopt, "[rename]\n" + entry},
        // The section is the last one: after its last line, long lines whole.
        {"[boot]\nshell=x\n[rename]\n" + longLine,
         "[boot]\nshell=x\n[rename]\n" + longLine + entry},
        // Names match without regard to case, and blanks around the header are
        // no part of it; the entry goes before the next header.
        {"[Rename]\nA=B\n\n  [Other]  \nk=v\n", "[Rename]\nA=B\n\n" + entry + "  [Other]  \nk=v\n"},
        // A missing section is added at the end; the identical entry under
        // another section does not count.
        {"[other]\n" + entry, "[other]\n" + entry + "[rename]\n" + entry},
        // The same key with another value is a further line.
        {"[rename]\nC:\\APP\\SAVER.SCR=C:\\APP\\99999999.SCR\n",
         "[rename]\nC:\\APP\\SAVER.SCR=C:\\APP\\99999999.SCR\n" + entry},
        // A last line without line end gets one before the entry: the two
        // lines never run together.
        {"[rename]\nA=B", "[rename]\nA=B\n" + entry},
        {"[boot]", "[boot]\n[rename]\n" + entry},
        // The identical entry leaves the file untouched. Key and value compare
        // without case; blanks before the key and after the value, and the
        // line end, are no part of them.
        {"[RENAME]\n  c:\\app\\saver.scr=c:\\app\\1a2b3c4d.scr \t\n[next]\n",
         "[RENAME]\n  c:\\app\\saver.scr=c:\\app\\1a2b3c4d.scr \t\n[next]\n"},
        {"[rename]\nA=B\n" + entry.substr(0, entry.size() - 1),
         "[rename]\nA=B\n" + entry.substr(0, entry.size() - 1)},
    };
    for (const auto& c : cases) {
        bool written = false;
        EXPECT_EQ(
            AddEntry(c.before, "rename", "C:\\APP\\SAVER.SCR", "C:\\APP\\1A2B3C4D.SCR", written),
            Text(c.after))
            << c.before.value_or("(no file)");
        EXPECT_EQ(written, c.before != c.after) << c.after;
    }
}

TEST(IniEntryAdder, DoubleByteNamesAreComparedWholeCharacterByCharacter)
{
    // Shift-JIS: 0x83 0x41 and 0x83 0x61 are two different characters whose
    // trail bytes happen to be 'A' and 'a'; 0x95 0x5D ends in ']'.
    const unsigned saved = Mbcs::GetCodePage();
    Mbcs::SetCodePage(932);
    const std::string upper = "\x83\x41", lower = "\x83\x61";
    struct {
        std::string before, section, key, after;
    } const cases[] = {
        {"[" + upper + "]\nk=v\n", lower, "k", "[" + upper + "]\nk=v\n[" + lower + "]\nk=v\n"},
        {"[" + upper + "]\nk=v\n", upper, "k", "[" + upper + "]\nk=v\n"},
        {"[s]\n" + upper + "=v\n", "s", lower, "[s]\n" + upper + "=v\n" + lower + "=v\n"},
        // A header whose name ends in a double-byte character with trail
        // byte ']' and no closing bracket: its name loses that character.
        {"[x\x95\x5D\nk=v\n", "x", "k", "[x\x95\x5D\nk=v\n"},
    };
    for (const auto& c : cases) {
        bool written = false;
        EXPECT_EQ(AddEntry(c.before, c.section, c.key, "v", written), Text(c.after)) << c.before;
    }
    Mbcs::SetCodePage(saved);
}
