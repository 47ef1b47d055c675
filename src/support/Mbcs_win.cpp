#include <windows.h>

#include "support/Mbcs.h"

namespace Mbcs {

bool IsLeadByte(unsigned char c)
{
    if (c < 0x80)
        return false;
    return IsDBCSLeadByteEx(GetCodePage() != 0 ? GetCodePage() : CP_ACP, c) != FALSE;
}

std::string ToLower(const std::string& s)
{
    std::string lower = s;
    if (lower.empty())
        return lower;
    if (GetCodePage() == 0) {
        CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
        return lower;
    }
    // A code page of a test's choice: the system's tables are for its own.
    return ToLowerAscii(s);
}

} // namespace Mbcs
