// CIniValue and CIniSection on real INI files, through the system's
// private-profile functions.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/AppProfile.h"
#include "support/IniSection.h"
#include "support/IniValue.h"
#include "unit/support/ScratchDirectory.h"

namespace {

std::vector<std::string> KeysOf(CIniSection& section)
{
    std::vector<std::string> keys;
    CIniValue value;
    for (bool more = section.GetFirstKey(value); more; more = section.GetNextKey(value))
        keys.push_back(value.m_strKey);
    return keys;
}

std::vector<std::string> KeysOf(const std::string& file, const char* name)
{
    CIniSection section(name);
    section.SetFile(file.c_str());
    return KeysOf(section);
}

CIniValue ValueOf(const std::string& file, const char* section, const char* key)
{
    CIniValue value;
    value.m_file = file;
    value.m_strSection = section;
    value.m_strKey = key;
    return value;
}

} // namespace

TEST(IniSection, ListsKeysInFileOrderAndThenStops)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("T.INI", "[other]\r\nz=1\r\n[list]\r\n; comment\r\nc=3\r\n"
                                                  "\r\n  a = 1\r\nb=\r\n[next]\r\ny=2\r\n");
    CIniSection section("LIST"); // section names ignore case
    section.SetFile(file.c_str());
    CIniValue value;
    ASSERT_TRUE(section.GetFirstKey(value));
    EXPECT_EQ(value.m_strKey, "c");
    EXPECT_EQ(value.m_strSection, "LIST");
    EXPECT_EQ(value.m_file.GetString(), file);
    EXPECT_EQ(section.GetBufferSize(), CIniSection::kFirstBufferSize);
    ASSERT_TRUE(section.GetNextKey(value));
    EXPECT_EQ(value.m_strKey, "a");
    ASSERT_TRUE(section.GetNextKey(value));
    EXPECT_EQ(value.m_strKey, "b");
    EXPECT_FALSE(section.GetNextKey(value));
    // The list is released with the last key.
    EXPECT_EQ(section.GetBufferSize(), 0u);
    EXPECT_FALSE(section.GetNextKey(value));

    // Listed again from the start.
    EXPECT_EQ(KeysOf(section), (std::vector<std::string>{"c", "a", "b"}));
}

TEST(IniSection, NothingToListGivesFalse)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("T.INI", "[empty]\r\n[full]\r\nk=v\r\n");
    CIniSection before("full");
    before.SetFile(file.c_str());
    CIniValue value;
    EXPECT_FALSE(before.GetNextKey(value)); // before any GetFirstKey

    EXPECT_TRUE(KeysOf(file, "empty").empty());
    EXPECT_TRUE(KeysOf(file, "absent").empty());
    EXPECT_TRUE(KeysOf(scratch.File("MISSING.INI"), "full").empty());
}

TEST(IniSection, GrowsTheKeyListUntilEveryKeyFits)
{
    CScratchDirectory scratch;
    // 300 keys of 12 characters: 3900 bytes of names, past 256, 512, 1024 and 2048.
    std::string text = "[big]\r\n";
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        char key[16];
        wsprintfA(key, "KEY%09d", i);
        expected.push_back(key);
        text += std::string(key) + "=" + std::to_string(i) + "\r\n";
    }
    std::string file = scratch.WriteFile("BIG.INI", text);

    CIniSection section("big");
    section.SetFile(file.c_str());
    CIniValue value;
    ASSERT_TRUE(section.GetFirstKey(value));
    EXPECT_EQ(section.GetBufferSize(), 4096u);
    EXPECT_EQ(KeysOf(section), expected);
}

TEST(IniSection, ListsAllKeysAtTheBufferBoundaries)
{
    CScratchDirectory scratch;
    // Key lists of 253 to 258 bytes straddle the first buffer's cut-off.
    for (size_t total = 253; total <= 258; ++total) {
        std::string text = "[s]\r\n";
        std::vector<std::string> expected;
        size_t used = 1; // the list's closing zero
        // Ten-character names while room is left for a last one of at least one.
        for (char c = 'a'; used + 11 + 2 <= total; ++c) {
            expected.push_back(std::string(10, c));
            used += 11;
        }
        expected.push_back(std::string(total - used - 1, 'z'));
        for (const std::string& key : expected)
            text += key + "=1\r\n";
        std::string file = scratch.WriteFile("EDGE.INI", text);
        EXPECT_EQ(KeysOf(file, "s"), expected) << total;
    }
}

TEST(IniValue, ReadsWhatTheFileHolds)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("T.INI", "[s]\r\nfilled = C:\\APP\\ \r\nempty=\r\n");
    CIniValue value = ValueOf(file, "s", "FILLED");
    EXPECT_TRUE(value.Read());
    EXPECT_STREQ(value.GetValue(), "C:\\APP\\");
    EXPECT_EQ(value.GetReadValue(), "C:\\APP\\");
    EXPECT_FALSE(value.IsModified());

    CIniValue empty = ValueOf(file, "s", "empty");
    empty.SetValue("stale");
    // A key that is there but empty reads as empty, whatever the default.
    EXPECT_FALSE(empty.Read());
    EXPECT_STREQ(empty.GetValue(), "");
    EXPECT_EQ(empty.GetReadValue(), "");
}

TEST(IniValue, AMissingKeyKeepsTheCurrentValue)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("T.INI", "[s]\r\nk=v\r\n");
    CIniValue missing = ValueOf(file, "s", "nokey");
    missing.SetValue("kept");
    EXPECT_TRUE(missing.Read());
    EXPECT_STREQ(missing.GetValue(), "kept");
    EXPECT_EQ(missing.GetReadValue(), "kept");

    CIniValue nothing = ValueOf(file, "s", "nokey");
    EXPECT_FALSE(nothing.Read());
    EXPECT_STREQ(nothing.GetValue(), "");
}

TEST(IniValue, CutsValuesAt254Characters)
{
    CScratchDirectory scratch;
    std::string exact(254, 'x');
    std::string longer = std::string(254, 'y') + "Z";
    std::string file =
        scratch.WriteFile("T.INI", "[s]\r\nexact=" + exact + "\r\nlonger=" + longer + "\r\n");
    CIniValue value = ValueOf(file, "s", "exact");
    EXPECT_TRUE(value.Read());
    EXPECT_EQ(std::string(value.GetValue()), exact);
    value = ValueOf(file, "s", "longer");
    EXPECT_TRUE(value.Read());
    EXPECT_EQ(std::string(value.GetValue()), std::string(254, 'y'));
}

TEST(IniValue, TracksChangesAcrossWriteAndRead)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("T.INI", "[s]\r\nk=old\r\n");
    CIniValue value = ValueOf(file, "s", "k");
    ASSERT_TRUE(value.Read());
    EXPECT_FALSE(value.IsModified());
    value.SetValue("new");
    EXPECT_TRUE(value.IsModified());
    EXPECT_TRUE(value.Write());
    EXPECT_TRUE(value.IsModified()); // until read back
    EXPECT_TRUE(value.Read());
    EXPECT_FALSE(value.IsModified());
    EXPECT_STREQ(value.GetValue(), "new");

    char buffer[32] = "";
    GetPrivateProfileStringA("s", "k", "", buffer, sizeof buffer, file.c_str());
    EXPECT_STREQ(buffer, "new");
}

TEST(IniValue, AnEmptyFileNameMeansTheApplicationsProfile)
{
    EXPECT_EQ(AfxGetAppProfileName(), "unit_support.INI");

    // Without a directory the system keeps the file in the Windows directory.
    char windows[MAX_PATH + 1] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string file = std::string(windows) + "\\unit_support.INI";
    DeleteFileA(file.c_str());

    CIniValue value;
    value.m_strSection = "app";
    value.m_strKey = "key";
    value.SetValue("written");
    EXPECT_TRUE(value.Write());
    EXPECT_EQ(value.m_file.GetString(), "unit_support.INI");

    CIniSection section("app");
    section.SetFile("");
    EXPECT_EQ(KeysOf(section), std::vector<std::string>{"key"});

    char buffer[32] = "";
    GetPrivateProfileStringA("app", "key", "", buffer, sizeof buffer, file.c_str());
    EXPECT_STREQ(buffer, "written");
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str()); // flush the cache
    DeleteFileA(file.c_str());
}
