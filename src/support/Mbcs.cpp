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

size_t LastCharStart(const std::string& s)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < s.size(); i = NextChar(s, i))
        last = i;
    return last;
}

bool EndsWithChar(const std::string& s, char ch)
{
    size_t last = LastCharStart(s);
    return last != std::string::npos && last == s.size() - 1 && s[last] == ch;
}

std::string ToLowerAscii(const std::string& s)
{
    std::string lower = s;
    for (size_t i = 0; i < lower.size(); i = NextChar(lower, i)) {
        if (lower[i] >= 'A' && lower[i] <= 'Z' && NextChar(lower, i) == i + 1)
            lower[i] = static_cast<char>(lower[i] - 'A' + 'a');
    }
    return lower;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return ToLower(a) == ToLower(b);
}

size_t FitLength(const std::string& s, size_t maxBytes)
{
    if (s.size() <= maxBytes)
        return s.size();
    size_t fit = 0;
    for (size_t i = 0; i < s.size(); i = NextChar(s, i)) {
        size_t next = NextChar(s, i);
        if (next > maxBytes)
            break;
        fit = next;
    }
    return fit;
}

} // namespace Mbcs
