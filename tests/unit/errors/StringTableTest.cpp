#include <gtest/gtest.h>

#include <string>

#include "framework/ResourceString.h"
#include "res/StringIds.h"

namespace {

struct Entry {
    unsigned id;
    const char* text;
};

const Entry kDefined[] = {
#define STRING(name, id, text) {id, text},
#include "res/strings.def"
#undef STRING
};

}  // namespace

TEST(StringTable, EveryDefinedTextLoadsByteForByte)
{
    // On Windows this reads the compiled resources: it catches texts that the
    // resource compiler mangles (escapes, quotes, long lines).
    for (const Entry& entry : kDefined) {
        std::string loaded;
        EXPECT_TRUE(LoadResourceString(entry.id, loaded)) << entry.id;
        EXPECT_EQ(loaded, entry.text) << entry.id;
    }
}

TEST(StringTable, TextsKeepTheirOddities)
{
    EXPECT_EQ(ResourceString(IDS_XERR_UNKNOWN_TITLE), "An unkown error occured.");
    std::string hardware = ResourceString(IDS_XERR_HARDWARE_DESCRIPTION);
    EXPECT_NE(hardware.find("Possible causes\r:\n- incompatible driver versions\n- power surge\r\n"),
              std::string::npos);
    EXPECT_NE(ResourceString(IDS_XERR_LOCKING_DESCRIPTION).find("this file\n- another user"),
              std::string::npos);
    EXPECT_EQ(ResourceString(IDS_XERR_BAD_PATH_DESCRIPTION),
              "The path specfied for accessing a file is invalid. ");
    EXPECT_EQ(ResourceString(IDS_EMPTY_PATH), "The path can not be empty.  Please enter a path.");
    EXPECT_EQ(ResourceString(AFX_IDS_APP_TITLE), "VelmoSaver Setup");
    EXPECT_EQ(ResourceString(IDS_SAVER_FILE), "velmosaver.scr");
}

TEST(StringTable, MissingEntryIsEmpty)
{
    std::string text = "stale";
    EXPECT_FALSE(LoadResourceString(12345, text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(ResourceString(8), "");
}
