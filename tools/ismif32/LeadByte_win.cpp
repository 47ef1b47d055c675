// The library's own lead-byte test: it runs in the system's ANSI code page
// and carries no part of the support library, whose text helpers would bring
// the C++ runtime with them.
#include <windows.h>

#include "support/Mbcs.h"

bool Mbcs::IsLeadByte(unsigned char c)
{
    return c >= 0x80 && IsDBCSLeadByteEx(CP_ACP, c) != FALSE;
}
