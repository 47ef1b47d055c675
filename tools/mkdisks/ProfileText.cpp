#include "ProfileText.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A value as the private-profile functions return it: blanks and one pair
// of surrounding quotes removed.
std::string Unquote(const std::string& value)
{
    std::string v = Trim(value);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

} // namespace

bool CProfileText::SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool CProfileText::Load(const std::string& path, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot be read";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str(), error);
}

bool CProfileText::Parse(const std::string& text, std::string& error)
{
    m_lines.clear();
    m_sections.clear();
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_lines.push_back(line);
    }
    m_dropped.assign(m_lines.size(), false);

    for (size_t i = 0; i < m_lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const std::string t = Trim(m_lines[i]);
        if (t.empty() || t[0] == ';')
            continue;
        if (t[0] == '[') {
            const size_t close = t.find(']');
            if (close == std::string::npos) {
                error = "line " + std::to_string(number) + ": a section name without ']'";
                return false;
            }
            m_sections.push_back(Section{Trim(t.substr(1, close - 1)), number, number, {}});
            continue;
        }
        const size_t equals = t.find('=');
        if (equals == std::string::npos || m_sections.empty()) {
            error = "line " + std::to_string(number) + ": neither a section, an entry " +
                    "(key=value) in a section, nor a comment";
            return false;
        }
        Section& section = m_sections.back();
        section.entries.push_back(
            Entry{Trim(t.substr(0, equals)), Unquote(t.substr(equals + 1)), number});
        section.lastLine = number;
    }
    return true;
}

const CProfileText::Section* CProfileText::Find(const std::string& name) const
{
    for (const Section& section : m_sections) {
        if (SameName(section.name, name))
            return &section;
    }
    return nullptr;
}

const CProfileText::Entry* CProfileText::FindEntry(const Section& section, const std::string& key)
{
    for (const Entry& entry : section.entries) {
        if (SameName(entry.key, key))
            return &entry;
    }
    return nullptr;
}

void CProfileText::ReplaceLine(int line, const std::string& text)
{
    m_lines.at(static_cast<size_t>(line - 1)) = text;
}

void CProfileText::DropLine(int line)
{
    m_dropped.at(static_cast<size_t>(line - 1)) = true;
}

bool CProfileText::IsBlankLine(int line) const
{
    return line >= 1 && static_cast<size_t>(line) <= m_lines.size() &&
           Trim(m_lines[static_cast<size_t>(line - 1)]).empty();
}

std::string CProfileText::Render() const
{
    std::string text;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (!m_dropped[i])
            text += m_lines[i] + "\r\n";
    }
    return text;
}
