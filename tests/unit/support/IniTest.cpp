// CIniSection on real INI files, through the system's private-profile
// functions (values read empty or whole are ProfileTest's: BARE=, x.exe=, 4=).
#include <gtest/gtest.h>

#include <vector>

#include "support/IniSection.h"
#include "support/IniValue.h"
#include "common/ScratchDirectory.h"

namespace {

// The keys listed; bufferSize receives the key-list buffer's size at the first key.
std::vector<std::string> KeysOf(const std::string& file, const char* name,
                                size_t* bufferSize = nullptr)
{
    CIniSection section(name);
    section.SetFile(file.c_str());
    std::vector<std::string> keys;
    CIniValue value;
    for (bool more = section.GetFirstKey(value); more; more = section.GetNextKey(value)) {
        EXPECT_EQ(value.m_strSection + "|" + value.m_file.GetString(), name + ("|" + file));
        if (keys.empty() && bufferSize != nullptr)
            *bufferSize = section.GetBufferSize();
        keys.push_back(value.m_strKey);
    }
    EXPECT_EQ(section.GetBufferSize(), 0u); // released after the last key
    EXPECT_FALSE(section.GetNextKey(value));
    return keys;
}

} // namespace

TEST(IniSection, ListsKeysInFileOrder)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("T.INI", "[other]\r\nz=1\r\n[list]\r\n; comment\r\nc=3\r\n"
                                                  "\r\n  a = 1\r\nb=\r\n[empty]\r\n");
    EXPECT_EQ(KeysOf(file, "LIST"), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_TRUE(KeysOf(file, "empty").empty());
    EXPECT_TRUE(KeysOf(file, "absent").empty());
    EXPECT_TRUE(KeysOf(scratch.File("MISSING.INI"), "list").empty());
    CIniSection section("list");
    CIniValue value;
    EXPECT_FALSE(section.GetNextKey(value)); // before any GetFirstKey
}

TEST(IniSection, GrowsTheKeyListUntilEveryKeyFits)
{
    CScratchDirectory scratch;
    // Key lists of 253 to 258 bytes straddle the first buffer's cut-off; one
    // of 3900 bytes needs four doublings.
    for (size_t total : {253, 254, 255, 256, 257, 258, 3900}) {
        std::vector<std::string> expected;
        size_t used = 1; // the list's closing zero
        // Ten-character names while room is left for a last one of at least one.
        for (int i = 0; used + 11 + 2 <= total; ++i, used += 11)
            expected.push_back(std::to_string(1000000000 + i));
        expected.push_back(std::string(total - used - 1, 'z'));
        std::string text = "[s]\r\n";
        for (const std::string& key : expected)
            text += key + "=1\r\n";
        size_t bufferSize = 0;
        EXPECT_EQ(KeysOf(scratch.WriteFile("EDGE.INI", text), "s", &bufferSize), expected) << total;
        EXPECT_GE(bufferSize, total);
    }
}
