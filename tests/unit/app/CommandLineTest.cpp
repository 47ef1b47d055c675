#include <gtest/gtest.h>

#include <string>

#include "app/CommandLine.h"
#include "support/Mbcs.h"

namespace {

// The value of a switch, or "<absent>".
std::string Value(const CCommandLine& line, const char* name)
{
    std::string value;
    return line.GetSwitch(name, value) ? value : "<absent>";
}

} // namespace

TEST(CommandLine, SwitchesWithAndWithoutColon)
{
    CCommandLine line("/D:C:\\SETUP /B /I", '/');
    EXPECT_EQ(Value(line, "D"), "C:\\SETUP") << "the value is everything after the first ':'";
    EXPECT_EQ(Value(line, "B"), "");
    EXPECT_TRUE(line.HasSwitch("I"));
    EXPECT_FALSE(line.HasSwitch("X"));
}

TEST(CommandLine, WithoutColonTheNameIsOneCharacter)
{
    CCommandLine line("/DC:\\SETUP /BATCH", '/');
    // /DC:\SETUP has a ':': its name is DC and D is not given.
    EXPECT_EQ(Value(line, "DC"), "\\SETUP");
    EXPECT_FALSE(line.HasSwitch("D"));
    EXPECT_EQ(Value(line, "B"), "ATCH");

    CCommandLine drive("/DA:", '/');
    EXPECT_EQ(Value(drive, "DA"), "");
    EXPECT_FALSE(drive.HasSwitch("D"));

    CCommandLine noColon("/Dfolder", '/');
    EXPECT_EQ(Value(noColon, "D"), "folder");
}

TEST(CommandLine, NamesAreCaseSensitive)
{
    CCommandLine line("/b /i", '/');
    EXPECT_FALSE(line.HasSwitch("B"));
    EXPECT_FALSE(line.HasSwitch("I"));
    EXPECT_TRUE(line.HasSwitch("b"));
}

TEST(CommandLine, OnlyBlanksSeparateAndNothingIsQuoted)
{
    CCommandLine line("/D:C:\\My  Files   /B", '/');
    EXPECT_EQ(Value(line, "D"), "C:\\My");
    EXPECT_EQ(Value(line, "#0"), "Files") << "the rest of the path is a positional argument";
    EXPECT_TRUE(line.HasSwitch("B"));

    CCommandLine quoted("\"/B\"", '/');
    EXPECT_FALSE(quoted.HasSwitch("B"));
    EXPECT_EQ(Value(quoted, "#0"), "\"/B\"");
}

TEST(CommandLine, LoneSwitchCharacterIgnoredAndPositionalsNumbered)
{
    CCommandLine line("first / second /X third", '/');
    EXPECT_EQ(Value(line, "#0"), "first");
    EXPECT_EQ(Value(line, "#1"), "second");
    EXPECT_EQ(Value(line, "#2"), "third");
    EXPECT_TRUE(line.HasSwitch("X"));
    EXPECT_FALSE(line.HasSwitch(""));
}

TEST(CommandLine, LastOccurrenceWins)
{
    CCommandLine line("/D:A:\\ /D:B:\\", '/');
    EXPECT_EQ(Value(line, "D"), "B:\\");
}

TEST(CommandLine, EmptyOrNullTextHasNoSwitches)
{
    for (const char* text : {static_cast<const char*>(nullptr), "", "   "}) {
        CCommandLine line(text, '/');
        EXPECT_FALSE(line.HasSwitch("B"));
        EXPECT_FALSE(line.HasSwitch("#0"));
    }
}

TEST(CommandLine, DefaultValueOnlyWhenAbsent)
{
    CCommandLine line("/D:X", '/');
    std::string value = "untouched";
    EXPECT_FALSE(line.GetSwitch("Q", value));
    EXPECT_EQ(value, "untouched");
    EXPECT_FALSE(line.GetSwitch("Q", value, "default"));
    EXPECT_EQ(value, "default");
    EXPECT_TRUE(line.GetSwitch("D", value, "default"));
    EXPECT_EQ(value, "X");
}

TEST(CommandLine, OneCharacterNameMayBeADoubleByteCharacter)
{
    // Shift-JIS: 0x83 0x40 is one character.
    Mbcs::SetCodePage(932);
    CCommandLine line("/\x83\x40value", '/');
    Mbcs::SetCodePage(0);
    EXPECT_EQ(Value(line, "\x83\x40"), "value");
    EXPECT_FALSE(line.HasSwitch("\x83"));
}
