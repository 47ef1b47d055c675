#include "framework/AppProfile.h"

#include <windows.h>

std::string AfxGetAppProfileName()
{
    char buffer[MAX_PATH + 1] = "";
    DWORD length = GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, MAX_PATH);
    buffer[length < MAX_PATH ? length : MAX_PATH] = '\0';

    // The title runs from after the last separator to the last dot after it; a
    // trail byte of a double-byte character is never taken for either.
    const char* title = buffer;
    const char* dot = nullptr;
    for (const char* p = buffer; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            title = p + 1;
            dot = nullptr;
        } else if (*p == '.') {
            dot = p;
        }
    }
    std::string name = dot != nullptr ? std::string(title, dot) : std::string(title);
    return name + ".INI";
}
