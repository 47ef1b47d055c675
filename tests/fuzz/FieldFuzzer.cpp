// Field extraction from profile values with its numeric forms, on arbitrary
// text, under the single-byte and a double-byte code page.
//
// Input: the field index, the separator, the code-page selector, then the
// value text (up to a zero byte, as a C string holds it).
//
// Checks what holds whatever the rules (the rule tables of the unit tests pin
// the rules themselves): the fields, joined again with the separator, are the
// text; past the last field none exists, and a missing field reads as empty
// text and leaves the numeric outputs untouched; the 16-bit form keeps the
// low half of the number and the flag is 1 exactly for a non-zero number.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "support/Mbcs.h"
#include "support/StringHelpers.h"

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

    std::string joined, field;
    int count = 0;
    for (; ExtractField(field, text.c_str(), count, sep) && count <= static_cast<int>(text.size());
         ++count)
        joined += (count > 0 ? std::string(1, sep) : std::string()) + field;
    Require(count >= 1 && joined == text, "the fields joined again are the text");

    field = "untouched";
    const bool exists = ExtractField(field, text.c_str(), n, sep);
    Require(exists == (n < count), "no field exists past the last");
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
        Require(static_cast<uint16_t>(shortValue) == (static_cast<uint32_t>(longValue) & 0xFFFF),
                "the 16-bit form keeps the low half");
        Require(flag == (longValue != 0 ? 1 : 0), "the flag is set exactly for non-zero");
    }
    Mbcs::SetCodePage(0);
    return 0;
}
