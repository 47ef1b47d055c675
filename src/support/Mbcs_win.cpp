#include <windows.h>

#include "support/Mbcs.h"

namespace {
unsigned g_codePage = 0;
}

namespace Mbcs {

void SetCodePage(unsigned codePage)
{
    g_codePage = codePage;
}

unsigned GetCodePage()
{
    return g_codePage;
}

bool IsLeadByte(unsigned char c)
{
    if (c < 0x80)
        return false;
    return IsDBCSLeadByteEx(g_codePage != 0 ? g_codePage : CP_ACP, c) != FALSE;
}

}  // namespace Mbcs
