// Without the system's code-page tables, the lead-byte ranges of the common
// double-byte code pages are known here; the default is single-byte text.
#include "support/Mbcs.h"

namespace Mbcs {

bool IsLeadByte(unsigned char c)
{
    switch (GetCodePage()) {
    case 932: // Shift-JIS
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936: // GBK
    case 949: // Unified Hangul
    case 950: // Big5
        return c >= 0x81 && c <= 0xFE;
    default:
        return false;
    }
}

std::string ToLower(const std::string& s)
{
    return ToLowerAscii(s);
}

} // namespace Mbcs
