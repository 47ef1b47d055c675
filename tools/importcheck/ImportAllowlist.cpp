#include "ImportAllowlist.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

CImportAllowlist::CImportAllowlist(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    std::set<std::string>* current = nullptr;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::string entry = Trim(line.substr(0, line.find('#')));
        auto fail = [&](const std::string& why) {
            throw std::invalid_argument("line " + std::to_string(number) + ": " + why);
        };
        if (entry.empty())
            continue;
        if (entry.front() == '[') {
            if (entry.back() != ']' || Trim(entry.substr(1, entry.size() - 2)).empty())
                fail("a DLL is written [NAME.dll]");
            current = &m_functions[Lower(Trim(entry.substr(1, entry.size() - 2)))];
        } else if (current == nullptr) {
            fail("'" + entry + "' comes before any [DLL]");
        } else if (entry.find_first_of(" \t") != std::string::npos) {
            fail("one function a line, not '" + entry + "'");
        } else {
            current->insert(entry);
        }
    }
}

bool CImportAllowlist::HasDll(const std::string& dll) const
{
    return m_functions.count(Lower(dll)) != 0;
}

bool CImportAllowlist::Allows(const std::string& dll, const std::string& function) const
{
    auto found = m_functions.find(Lower(dll));
    return found != m_functions.end() && found->second.count(function) != 0;
}
