// Adding an entry to an initialisation file, on real files (the same cases
// natively and under Wine): where the entry goes, when the file is left
// alone, double-byte names, and a subclass that keeps a backup.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "framework/StdioFile.h"
#include "install/IniEntryAdder.h"
#include "support/Mbcs.h"
#include "unit/support/ScratchFiles.h"

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

// Makes the scratch directory current for the test and goes back afterwards.
// The editors get file names without a directory: built natively, the path
// type puts its new names together with backslashes, which are no separators
// there.
class CInScratch : public CScratchFiles {
public:
    CInScratch() { std::filesystem::current_path(std::filesystem::path(Path("x")).parent_path()); }
    ~CInScratch() { std::filesystem::current_path(m_previous); }

private:
    std::filesystem::path m_previous = std::filesystem::current_path();
};

// The names of the files in the scratch directory.
std::vector<std::string> Files(const CScratchFiles& scratch)
{
    std::vector<std::string> names;
    const std::filesystem::path dir = std::filesystem::path(scratch.Path("x")).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Adds "C:\APP\SAVER.SCR=C:\APP\1A2B3C4D.SCR" to [rename] of wininit.ini
// holding `before` (no file without it); returns what the file holds after.
std::string AddRename(const std::optional<std::string>& before, bool* result = nullptr)
{
    CInScratch scratch;
    if (before)
        scratch.Write("wininit.ini", Text(*before));
    const std::string path = scratch.Path("wininit.ini");
    CIniEntryAdder adder("wininit.ini");
    const bool added = adder.AddEntry("rename", "C:\\APP\\SAVER.SCR", "C:\\APP\\1A2B3C4D.SCR");
    if (result != nullptr)
        *result = added;
    EXPECT_EQ(Files(scratch), std::vector<std::string>{"wininit.ini"}) << "no copy left behind";
    return CScratchFiles::Read(path);
}

const char kEntry[] = "C:\\APP\\SAVER.SCR=C:\\APP\\1A2B3C4D.SCR\n";

} // namespace

TEST(IniEntryAdder, PlacesTheEntryAtTheEndOfItsSection)
{
    const std::string entry = kEntry;
    struct {
        std::optional<std::string> before;
        std::string after;
    } const cases[] = {
        // No file: created with the section and the entry.
        {std::nullopt, "[rename]\n" + entry},
        {"", "[rename]\n" + entry},
        // The section is the last one: after its last line.
        {"[boot]\nshell=x\n[rename]\nNUL=C:\\OLD.TXT\n",
         "[boot]\nshell=x\n[rename]\nNUL=C:\\OLD.TXT\n" + entry},
        // Names match without regard to case, and blanks around the header are
        // no part of it; the entry goes before the next header.
        {"[Rename]\nA=B\n\n  [Other]  \nk=v\n", "[Rename]\nA=B\n\n" + entry + "  [Other]  \nk=v\n"},
        // A missing section is added at the end.
        {"[boot]\nshell=x\n", "[boot]\nshell=x\n[rename]\n" + entry},
        // The identical entry under another section does not count.
        {"[other]\n" + entry, "[other]\n" + entry + "[rename]\n" + entry},
        // The same key with another value is a further line.
        {"[rename]\nC:\\APP\\SAVER.SCR=C:\\APP\\99999999.SCR\n",
         "[rename]\nC:\\APP\\SAVER.SCR=C:\\APP\\99999999.SCR\n" + entry},
        // A last line without line end gets one before the entry: the two
        // lines never run together.
        {"[rename]\nA=B", "[rename]\nA=B\n" + entry},
        {"[boot]", "[boot]\n[rename]\n" + entry},
    };
    for (const auto& c : cases) {
        bool result = false;
        EXPECT_EQ(AddRename(c.before, &result), Text(c.after)) << c.before.value_or("(no file)");
        EXPECT_TRUE(result);
    }
}

TEST(IniEntryAdder, TheIdenticalEntryLeavesTheFileUntouched)
{
    // Key and value compare without case; blanks before the key and after
    // the value, and the line end, are no part of them.
    const char* const befores[] = {
        "[rename]\nC:\\APP\\SAVER.SCR=C:\\APP\\1A2B3C4D.SCR\n",
        "[RENAME]\n  c:\\app\\saver.scr=c:\\app\\1a2b3c4d.scr \t\n[next]\n",
        "[rename]\nA=B\nC:\\APP\\SAVER.SCR=C:\\APP\\1A2B3C4D.SCR",
    };
    for (const char* before : befores) {
        CInScratch scratch;
        const std::string path = scratch.Write("wininit.ini", Text(before));
        CFileStatus status;
        ASSERT_TRUE(CStdioFile::GetStatus(path.c_str(), status));
        status.m_mtime = 1000000000; // 2001: any change would show
        CStdioFile::SetStatus(path.c_str(), status);

        CIniEntryAdder adder("wininit.ini");
        EXPECT_TRUE(adder.AddEntry("rename", "C:\\APP\\SAVER.SCR", "C:\\APP\\1A2B3C4D.SCR"));
        EXPECT_EQ(CScratchFiles::Read(path), Text(before));
        CFileStatus after;
        ASSERT_TRUE(CStdioFile::GetStatus(path.c_str(), after));
        EXPECT_EQ(after.m_mtime, 1000000000) << before;
        EXPECT_EQ(Files(scratch), std::vector<std::string>{"wininit.ini"});
    }
}

TEST(IniEntryAdder, TheSameRequestTwiceWritesOneLine)
{
    CInScratch scratch;
    const std::string path = scratch.Path("wininit.ini");
    for (int i = 0; i < 2; ++i) {
        CIniEntryAdder adder("wininit.ini");
        EXPECT_TRUE(adder.AddEntry("rename", "D:\\A.DLL", "D:\\12345678.DLL"));
    }
    EXPECT_EQ(CScratchFiles::Read(path), Text("[rename]\nD:\\A.DLL=D:\\12345678.DLL\n"));
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
        CInScratch scratch;
        const std::string path = scratch.Write("test.ini", Text(c.before));
        CIniEntryAdder adder("test.ini");
        EXPECT_TRUE(adder.AddEntry(c.section.c_str(), c.key.c_str(), "v"));
        EXPECT_EQ(CScratchFiles::Read(path), Text(c.after)) << c.before;
    }
    Mbcs::SetCodePage(saved);
}

TEST(IniEntryAdder, LongLinesAreCopiedWhole)
{
    const std::string longLine = "; " + std::string(1500, 'x') + "\n";
    const std::string before = "[rename]\n" + longLine + "A=B\n";
    EXPECT_EQ(AddRename(before), Text(before + kEntry));
}

namespace {

// Keeps the old file as wininit.bak.
class CBackupAdder : public CIniEntryAdder {
public:
    using CIniEntryAdder::CIniEntryAdder;
    void MakeBackupName() override
    {
        m_backupPath = m_path;
        m_backupPath.SetExtension("bak");
    }
};

} // namespace

TEST(IniEntryAdder, ASubclassBackupNameKeepsTheOldFile)
{
    CInScratch scratch;
    const std::string path = scratch.Write("wininit.ini", Text("[rename]\nA=B\n"));
    scratch.Write("wininit.bak", "an older backup");
    CBackupAdder adder("wininit.ini");
    EXPECT_TRUE(adder.AddEntry("rename", "C", "D"));
    EXPECT_EQ(CScratchFiles::Read(path), Text("[rename]\nA=B\nC=D\n"));
    EXPECT_EQ(CScratchFiles::Read(scratch.Path("wininit.bak")), Text("[rename]\nA=B\n"));
    EXPECT_EQ(Files(scratch), (std::vector<std::string>{"wininit.bak", "wininit.ini"}));
}
