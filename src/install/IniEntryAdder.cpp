#include "install/IniEntryAdder.h"

#include "support/Mbcs.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsBlankOrLineEnd(char c)
{
    return IsBlank(c) || c == '\r' || c == '\n';
}

// Where the text ends once the trailing characters that match are dropped,
// scanning by characters so that a trail byte is never taken for one.
template <class Pred> size_t EndWithout(const std::string& s, size_t from, Pred drop)
{
    size_t end = from;
    for (size_t i = from; i < s.size();) {
        const size_t next = Mbcs::NextChar(s, i);
        if (next - i == 2 || !drop(s[i]))
            end = next;
        i = next;
    }
    return end;
}

size_t StartWithout(const std::string& s, size_t from, bool (*drop)(char))
{
    while (from < s.size() && drop(s[from]))
        ++from;
    return from;
}

// The index of the first single-byte ch, never a trail byte; npos when none.
size_t FindChar(const std::string& s, char ch)
{
    for (size_t i = 0; i < s.size(); i = Mbcs::NextChar(s, i))
        if (s[i] == ch && Mbcs::NextChar(s, i) == i + 1)
            return i;
    return std::string::npos;
}

} // namespace

CIniEntryAdder::CIniEntryAdder(const CFilePath& path)
{
    m_path = path;
}

bool CIniEntryAdder::AddEntry(const char* section, const char* key, const char* value)
{
    m_strSection = section;
    m_strKey = key;
    m_strValue = value;
    m_strEntryLine = m_strKey + "=" + m_strValue + "\n";
    Open(m_path);
    return Run();
}

bool CIniEntryAdder::InTargetSection() const
{
    return Mbcs::EqualNoCase(m_strCurrentSection, m_strSection);
}

bool CIniEntryAdder::OnLine()
{
    const std::string& line = m_strLine;
    const size_t start = StartWithout(line, 0, IsBlankOrLineEnd);
    const size_t end = EndWithout(line, start, IsBlankOrLineEnd);
    if (start < end && line[start] == '[') {
        // The name lies between the first and the last character.
        const std::string trimmed = line.substr(start, end - start);
        const size_t last = Mbcs::LastCharStart(trimmed);
        const std::string name = last > 1 ? trimmed.substr(1, last - 1) : std::string();
        if (!InTargetSection()) {
            m_strCurrentSection = name;
        } else {
            // The target section ends here: its entry goes before this header.
            WriteText(m_strEntryLine);
            m_bDone = 1;
        }
        return true;
    }
    if (InTargetSection()) {
        const size_t equals = FindChar(line, '=');
        if (equals != std::string::npos) {
            const size_t keyStart = StartWithout(line, 0, IsBlank);
            const std::string keyText =
                keyStart < equals ? line.substr(keyStart, equals - keyStart) : std::string();
            const size_t valueEnd = EndWithout(line, equals + 1, IsBlankOrLineEnd);
            const std::string valueText = line.substr(equals + 1, valueEnd - (equals + 1));
            if (Mbcs::EqualNoCase(keyText, m_strKey) && Mbcs::EqualNoCase(valueText, m_strValue))
                m_bStop = 1;
        }
    }
    return true;
}

void CIniEntryAdder::OnEnd()
{
    if (m_bDone)
        return;
    if (!InTargetSection())
        WriteText("[" + m_strSection + "]\n");
    WriteText(m_strEntryLine);
}
