#include <windows.h>

#include "framework/ResourceString.h"

bool LoadResourceString(unsigned id, std::string& out)
{
    // A string-table entry holds at most 4097 characters.
    char buffer[4100];
    int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    out.assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
    return length > 0;
}
