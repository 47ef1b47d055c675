#pragma once
// Scanning of ANSI text that may hold double-byte characters: the second byte
// of a double-byte character is never taken for a separator.

#include <cstddef>
#include <string>

namespace Mbcs {

// The code page whose lead bytes are honoured; 0 (the default) is the system's
// ANSI code page. Tests set a double-byte code page here.
void SetCodePage(unsigned codePage);
unsigned GetCodePage();

bool IsLeadByte(unsigned char c);

// The index of the character after the one that starts at i.
inline size_t NextChar(const std::string& s, size_t i)
{
    return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? i + 2 : i + 1;
}

// The index where the last character of s starts; npos for an empty s.
size_t LastCharStart(const std::string& s);

// True when the last character of s is the single-byte character ch.
bool EndsWithChar(const std::string& s, char ch);

// s in lower case by the system's rules for its code page (CharLowerA),
// double-byte characters included. Without the system's tables (the portable
// build, or a code page set by SetCodePage), as ToLowerAscii.
std::string ToLower(const std::string& s);
// s with the letters A to Z in lower case, never inside a double-byte character.
std::string ToLowerAscii(const std::string& s);
// a and b are equal without regard to case, in the sense of ToLower.
bool EqualNoCase(const std::string& a, const std::string& b);
// The largest length not above maxBytes that does not split a character.
size_t FitLength(const std::string& s, size_t maxBytes);

} // namespace Mbcs
