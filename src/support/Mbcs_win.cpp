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
    // A code page other than the system's: its characters, lowered as wide ones.
    const int length = static_cast<int>(s.size());
    std::wstring wide(s.size(), L'\0');
    const int wideLength =
        MultiByteToWideChar(GetCodePage(), 0, s.data(), length, &wide[0], length);
    if (wideLength <= 0)
        return lower;
    CharLowerBuffW(&wide[0], static_cast<DWORD>(wideLength));
    const int back = WideCharToMultiByte(GetCodePage(), 0, wide.data(), wideLength, &lower[0],
                                         length, nullptr, nullptr);
    lower.resize(back > 0 ? static_cast<size_t>(back) : 0);
    return back > 0 ? lower : s;
}

} // namespace Mbcs
