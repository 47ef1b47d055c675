#include <gtest/gtest.h>

#include <string>

#include "app/CommandLine.h"
#include "support/Mbcs.h"

TEST(CommandLine, TokenRules)
{
    const struct {
        const char* text;
        const char* name;
        const char* value; // null: not given
    } cases[] = {
        // The value is everything after the first ':'.
        {"/D:C:\\SETUP /B /I", "D", "C:\\SETUP"},
        {"/D:C:\\SETUP /B /I", "I", ""},
        // With a ':' the name runs up to it; without one it is one character.
        {"/DC:\\SETUP", "DC", "\\SETUP"},
        {"/DC:\\SETUP", "D", nullptr},
        {"/BATCH", "B", "ATCH"},
        {"/b", "B", nullptr}, // names are case-sensitive
        // Only blanks separate, nothing is quoted, a lone '/' is ignored.
        {"/D:C:\\My  Files / /B", "D", "C:\\My"},
        {"/D:C:\\My  Files / /B", "#0", "Files"},
        {"/D:C:\\My  Files / /B", "", nullptr},
        {"\"/B\"", "B", nullptr},
        {"/D:A:\\ /D:B:\\", "D", "B:\\"}, // the last one given wins
        {nullptr, "B", nullptr},
        // A one-character name may be a double-byte character (Shift-JIS 0x83 0x40).
        {"/\x83\x40value", "\x83\x40", "value"},
        {"/\x83\x40value", "\x83", nullptr},
    };
    Mbcs::SetCodePage(932);
    for (const auto& c : cases) {
        std::string value = "<absent>";
        EXPECT_EQ(CCommandLine(c.text, '/').GetSwitch(c.name, value), c.value != nullptr)
            << c.text << " " << c.name;
        EXPECT_EQ(value, c.value ? c.value : "<absent>") << c.text << " " << c.name;
    }
    Mbcs::SetCodePage(0);
}
