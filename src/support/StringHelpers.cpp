#include "support/StringHelpers.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "framework/ResourceString.h"
#include "support/Mbcs.h"

void TruncateString(std::string& s, size_t n)
{
    if (s.size() > n)
        s.resize(n);
}

void StripLeadingChar(std::string& s, char ch)
{
    if (!s.empty() && s[0] == ch)
        s.erase(0, 1);
}

void StripLeadingBackslash(std::string& s)
{
    if (s.size() > 1 && s[0] == '\\')
        s.erase(0, 1);
}

void StripTrailingChar(std::string& s, char ch)
{
    if (Mbcs::EndsWithChar(s, ch))
        s.pop_back();
}

void StripTrailingBackslash(std::string& s)
{
    if (s.size() > 1)
        StripTrailingChar(s, '\\');
}

void AddTrailingBackslash(std::string& s)
{
    if (!Mbcs::EndsWithChar(s, '\\'))
        s += '\\';
}

void AddLeadingBackslash(std::string& s)
{
    if (s.empty() || s[0] != '\\')
        s.insert(0, 1, '\\');
}

int CRuntimeRandom::Next()
{
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFF);
}

std::string MakeRandomName(int n, CRuntimeRandom& random)
{
    int values[5];
    for (int& value : values)
        value = random.Next();
    char buffer[21];
    std::snprintf(buffer, sizeof buffer, "%.4x%.4x%.4x%.4x%.4x", values[4], values[3], values[2],
                  values[1], values[0]);
    if (n < 0)
        n = 0;
    return std::string(buffer, n < 20 ? static_cast<size_t>(n) : 20);
}

CRuntimeRandom& RuntimeRandom()
{
    // The runtime's generator: one for the program, never reseeded.
    static CRuntimeRandom s_random;
    return s_random;
}

std::string MakeRandomName(int n)
{
    return MakeRandomName(n, RuntimeRandom());
}

bool ExtractField(std::string& out, const char* text, int n, char sep)
{
    if (text == nullptr)
        return false;
    const std::string s(text);
    size_t start = 0;
    size_t i = 0;
    int skipped = 0;
    // Skip n separators; a trail byte is never taken for one.
    while (skipped < n) {
        while (i < s.size() && s[i] != sep)
            i = Mbcs::NextChar(s, i);
        if (i >= s.size()) {
            out.clear();
            return false;
        }
        ++i;
        start = i;
        ++skipped;
    }
    size_t end = start;
    while (end < s.size() && s[end] != sep)
        end = Mbcs::NextChar(s, end);
    out.assign(s, start, (end < s.size() ? end : s.size()) - start);
    return true;
}

int32_t ParseLong(const char* text)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    uint32_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10u + static_cast<uint32_t>(*p - '0');
        ++p;
    }
    if (negative)
        value = 0u - value;
    return static_cast<int32_t>(value);
}

bool ExtractLongField(int32_t& out, const char* text, int n, char sep)
{
    std::string field;
    if (!ExtractField(field, text, n, sep))
        return false;
    out = ParseLong(field.c_str());
    return true;
}

bool ExtractShortField(int16_t& out, const char* text, int n, char sep)
{
    int32_t value;
    if (!ExtractLongField(value, text, n, sep))
        return false;
    out = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu));
    return true;
}

bool ExtractBoolField(int32_t& out, const char* text, int n, char sep)
{
    int32_t value;
    if (!ExtractLongField(value, text, n, sep))
        return false;
    out = value != 0 ? 1 : 0;
    return true;
}

int FormatStringV(std::string& s, const char* format, va_list args)
{
    char buffer[kMaxFormattedLength + 1];
    buffer[0] = '\0';
    std::vsnprintf(buffer, sizeof buffer, format, args);
    // Some runtimes leave the buffer unterminated when the output is cut.
    buffer[kMaxFormattedLength] = '\0';
    s = buffer;
    return static_cast<int>(s.size());
}

int FormatString(std::string& s, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int length = FormatStringV(s, format, args);
    va_end(args);
    return length;
}

int FormatResourceString(std::string& s, unsigned id, ...)
{
    std::string format;
    if (!LoadResourceString(id, format))
        return 0;
    va_list args;
    va_start(args, id);
    int length = FormatStringV(s, format.c_str(), args);
    va_end(args);
    return length;
}
