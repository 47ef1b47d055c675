#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/Mbcs.h"
#include "support/StringHelpers.h"

namespace {

template <typename Op> std::string Apply(std::string s, Op op)
{
    op(s);
    return s;
}

} // namespace

TEST(Backslashes, AddAndStrip)
{
    EXPECT_EQ(Apply("", AddTrailingBackslash), "\\");
    EXPECT_EQ(Apply("C:\\", AddTrailingBackslash), "C:\\");
    EXPECT_EQ(Apply("C:\\DIR", AddTrailingBackslash), "C:\\DIR\\");
    EXPECT_EQ(Apply("", AddLeadingBackslash), "\\");
    EXPECT_EQ(Apply("\\DIR", AddLeadingBackslash), "\\DIR");
    EXPECT_EQ(Apply("\\", StripTrailingBackslash), "\\");
    EXPECT_EQ(Apply("C:\\DIR\\", StripTrailingBackslash), "C:\\DIR");
    EXPECT_EQ(Apply("\\", StripLeadingBackslash), "\\");
    EXPECT_EQ(Apply("\\DIR", StripLeadingBackslash), "DIR");
}

TEST(Backslashes, DoubleByteTrailIsNotStripped)
{
    Mbcs::SetCodePage(932);
    EXPECT_EQ(Apply("\\\x95\x5C", StripTrailingBackslash), "\\\x95\x5C");
    EXPECT_EQ(Apply("\x95\x5C", AddTrailingBackslash), "\x95\x5C\\");
    Mbcs::SetCodePage(0);
}

TEST(RandomName, FollowsTheRuntimeGenerator)
{
    // The runtime's first five values are 41, 18467, 6334, 26500 and 19169,
    // printed last first.
    CRuntimeRandom fresh;
    EXPECT_EQ(MakeRandomName(20, fresh), "4ae1678418be48230029");
    CRuntimeRandom again;
    EXPECT_EQ(MakeRandomName(8, again), "4ae16784");
    EXPECT_EQ(MakeRandomName(25, again).size(), 20u);
}

TEST(ExtractField, CountsSeparators)
{
    std::string out = "untouched";
    EXPECT_FALSE(ExtractField(out, "a|b|c", 3, '|'));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(ExtractField(out, "a|b|c", 2, '|'));
    EXPECT_EQ(out, "c");
    EXPECT_TRUE(ExtractField(out, "a|b|c", 0, '|'));
    EXPECT_EQ(out, "a");
    EXPECT_TRUE(ExtractField(out, "", 0, '|'));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(ExtractField(out, "a||b", 1, '|'));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(ExtractField(out, " x |y", 0, '|'));
    EXPECT_EQ(out, " x "); // verbatim, blanks kept

    out = "untouched";
    EXPECT_FALSE(ExtractField(out, nullptr, 0, '|'));
    EXPECT_EQ(out, "untouched");
}

TEST(ExtractField, DoubleByteTrailIsNoSeparator)
{
    // 0x81 0x7C is one Shift-JIS character whose second byte is '|'.
    Mbcs::SetCodePage(932);
    std::string out;
    EXPECT_TRUE(ExtractField(out, "\x81|x|y", 1, '|'));
    EXPECT_EQ(out, "y");
    Mbcs::SetCodePage(0);
}

TEST(ExtractField, NumericFieldsFollowAtol)
{
    int32_t value = -99;
    struct {
        const char* text;
        int32_t expected;
    } cases[] = {
        {"12abc", 12},
        {" -7", -7},
        {"\t+15", 15},
        {"", 0},
        {"abc", 0},
        {"- 5", 0},
        {"4294967297", 1},         // wraps modulo 2^32
        {"2147483648", INT32_MIN}, // wraps into the negative range
        {"-2147483648", INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(ExtractLongField(value, c.text, 0, '|')) << c.text;
        EXPECT_EQ(value, c.expected) << c.text;
    }
    value = 42;
    EXPECT_FALSE(ExtractLongField(value, "1|2", 2, '|'));
    EXPECT_EQ(value, 42); // failure leaves the output alone
    EXPECT_FALSE(ExtractLongField(value, nullptr, 0, '|'));
    EXPECT_EQ(value, 42);
}

TEST(ExtractField, ShortAndBoolFields)
{
    int32_t flag = 9;
    EXPECT_TRUE(ExtractBoolField(flag, "yes", 0, '|')); // no digits: 0
    EXPECT_EQ(flag, 0);
    EXPECT_TRUE(ExtractBoolField(flag, "2", 0, '|'));
    EXPECT_EQ(flag, 1);

    int16_t value = 5;
    EXPECT_TRUE(ExtractShortField(value, "x|-1", 1, '|'));
    EXPECT_EQ(value, -1);
    EXPECT_TRUE(ExtractShortField(value, "65535", 0, '|'));
    EXPECT_EQ(value, -1);
    EXPECT_TRUE(ExtractShortField(value, "65538", 0, '|'));
    EXPECT_EQ(value, 2);
    value = 7;
    EXPECT_FALSE(ExtractShortField(value, "1", 1, '|'));
    EXPECT_EQ(value, 7);
}
