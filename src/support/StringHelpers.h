#pragma once
// Small string helpers shared by the whole program: backslashes, random names,
// fields of '|'-separated profile values, printf-style formatting.

#include <cstdarg>
#include <cstdint>
#include <string>

// Longest formatted text: formatting happens in a 512-byte buffer.
const size_t kMaxFormattedLength = 511;

// Keeps the first n characters of s.
void TruncateString(std::string& s, size_t n);
// Removes the first character of s when it is ch.
void StripLeadingChar(std::string& s, char ch);
// Removes a leading backslash, but never a lone one.
void StripLeadingBackslash(std::string& s);
// Removes the last character of s when it is ch.
void StripTrailingChar(std::string& s, char ch);
// Removes a trailing backslash, but never a lone one.
void StripTrailingBackslash(std::string& s);
// Appends a backslash unless s already ends in one; "" becomes "\".
void AddTrailingBackslash(std::string& s);
// Prepends a backslash unless s already begins with one; "" becomes "\".
void AddLeadingBackslash(std::string& s);

// The C runtime's pseudo-random generator: state = state * 214013 + 2531011
// (mod 2^32), each value bits 16 to 30 of the new state. It starts at 1.
class CRuntimeRandom {
public:
    explicit CRuntimeRandom(uint32_t seed = 1) : m_state(seed) {}
    int Next();

private:
    uint32_t m_state;
};

// The program's generator.
CRuntimeRandom& RuntimeRandom();

// n (at most 20) lower-case hexadecimal digits from five draws of the
// program's generator, printed last draw first. The generator is never
// reseeded, so every run yields the same sequence of names.
std::string MakeRandomName(int n);
// The same from a given generator.
std::string MakeRandomName(int n, CRuntimeRandom& random);

// The n-th field (from 0) of text, fields separated by sep. True when text has
// at least n separators; false and out emptied when it has fewer; false and out
// untouched when text is null. Fields are taken verbatim.
bool ExtractField(std::string& out, const char* text, int n, char sep);
// The field's value by the C library's atol rules (blanks, sign, digits; no
// digits gives 0; wraps modulo 2^32), kept as its low 16 bits. On failure out
// is untouched.
bool ExtractShortField(int16_t& out, const char* text, int n, char sep);
bool ExtractLongField(int32_t& out, const char* text, int n, char sep);
// Stores 1 when the field's value is non-zero, otherwise 0.
bool ExtractBoolField(int32_t& out, const char* text, int n, char sep);
// atol without overflow checks: the value wraps modulo 2^32.
int32_t ParseLong(const char* text);

// printf-style formatting into a 512-byte buffer: output past 511 characters is
// cut. s receives the text; the result is its length.
int FormatString(std::string& s, const char* format, ...);
int FormatStringV(std::string& s, const char* format, va_list args);
// The same with string-table entry id as the format; returns 0 and leaves s
// unchanged when the entry does not exist.
int FormatResourceString(std::string& s, unsigned id, ...);
