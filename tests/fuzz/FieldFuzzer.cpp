// Field extraction from profile values with its numeric forms, on arbitrary
// text, under the single-byte and a double-byte code page.
//
// Input: the field index, the separator, the code-page selector, then the
// value text (up to a zero byte, as a C string holds it).
//
// Checks: a field exists exactly when the text holds as many separators as
// its index; the fields, joined again with the separator, are the text; no
// field holds a separator; the numbers follow the C library's conversion
// (compared with strtoll while the digits fit), the 16-bit form keeps the low
// half and the flag is 1 exactly for a non-zero number; on failure the numeric
// outputs stay untouched.
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "support/Mbcs.h"
#include "support/StringHelpers.h"

namespace {

// The fields of text, cut at every separator that is a character of its own.
std::vector<std::string> Fields(const std::string& text, char sep)
{
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < text.size();) {
        const size_t next = Mbcs::NextChar(text, i);
        if (next == i + 1 && text[i] == sep)
            fields.emplace_back();
        else
            fields.back().append(text, i, next - i);
        i = next;
    }
    return fields;
}

// What atol gives, reduced modulo 2^32, when strtoll can hold it: false when
// the field has too many digits for that.
bool ReferenceNumber(const std::string& field, uint32_t& value)
{
    size_t digits = 0;
    size_t i = field.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos)
        i = field.size();
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        ++i;
    while (i + digits < field.size() && field[i + digits] >= '0' && field[i + digits] <= '9')
        ++digits;
    if (digits > 18)
        return false;
    value = static_cast<uint32_t>(static_cast<uint64_t>(strtoll(field.c_str(), nullptr, 10)));
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput in(data, size);
    const int n = in.Byte() % 64;
    char sep = static_cast<char>(in.Byte());
    Mbcs::SetCodePage(FuzzCodePage(in.Byte()));
    const std::string text = in.Text();
    // A separator is a character of its own: never zero, never a lead byte.
    if (sep == '\0' || Mbcs::IsLeadByte(static_cast<unsigned char>(sep)))
        sep = '|';

    const std::vector<std::string> fields = Fields(text, sep);
    std::string joined;
    for (size_t i = 0; i < fields.size(); ++i) {
        std::string field = "untouched";
        Require(ExtractField(field, text.c_str(), static_cast<int>(i), sep),
                "every field up to the last separator exists");
        Require(field == fields[i], "a field runs from one separator to the next");
        joined += (i > 0 ? std::string(1, sep) : std::string()) + field;
    }
    Require(joined == text, "the fields joined again are the text");

    std::string field = "untouched";
    const bool exists = ExtractField(field, text.c_str(), n, sep);
    Require(exists == (static_cast<size_t>(n) < fields.size()),
            "a field exists exactly when the text has as many separators as its index");
    Require(exists || field.empty(), "a missing field reads as empty text");

    int32_t longValue = 0x5A5A5A5A;
    int16_t shortValue = 0x5A5A;
    int32_t flag = 0x5A5A5A5A;
    Require(ExtractLongField(longValue, text.c_str(), n, sep) == exists, "long field presence");
    Require(ExtractShortField(shortValue, text.c_str(), n, sep) == exists, "short field presence");
    Require(ExtractBoolField(flag, text.c_str(), n, sep) == exists, "flag field presence");
    if (!exists) {
        Require(longValue == 0x5A5A5A5A && shortValue == 0x5A5A && flag == 0x5A5A5A5A,
                "a missing numeric field leaves its output untouched");
    } else {
        uint32_t expected = 0;
        if (ReferenceNumber(field, expected))
            Require(static_cast<uint32_t>(longValue) == expected, "the number follows atol");
        Require(static_cast<uint16_t>(shortValue) == (static_cast<uint32_t>(longValue) & 0xFFFF),
                "the 16-bit form keeps the low half");
        Require(flag == (longValue != 0 ? 1 : 0), "the flag is set exactly for non-zero");
    }
    Mbcs::SetCodePage(0);
    return 0;
}
