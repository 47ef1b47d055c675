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

} // namespace

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
