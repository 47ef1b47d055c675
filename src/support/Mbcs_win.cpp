#include <windows.h>

#include "support/Mbcs.h"

namespace Mbcs {

bool IsLeadByte(unsigned char c)
{
    if (c < 0x80)
        return false;
    return IsDBCSLeadByteEx(GetCodePage() != 0 ? GetCodePage() : CP_ACP, c) != FALSE;
}

}  // namespace Mbcs
