#include "app/CommandLine.h"

#include "support/Mbcs.h"

CCommandLine::CCommandLine(const char* commandLine, char switchChar)
{
    const std::string text = commandLine != nullptr ? commandLine : "";
    int positional = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ') {
            ++pos;
            continue;
        }
        size_t end = text.find(' ', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string token = text.substr(pos, end - pos);
        pos = end;

        if (token[0] != switchChar) {
            m_switches["#" + std::to_string(positional++)] = token;
            continue;
        }
        if (token.size() == 1)
            continue;
        // The first ':' that is a character of its own, not the second byte
        // of a double-byte character.
        size_t colon = std::string::npos;
        for (size_t i = 1; i < token.size(); i = Mbcs::NextChar(token, i)) {
            if (token[i] == ':') {
                colon = i;
                break;
            }
        }
        if (colon != std::string::npos) {
            m_switches[token.substr(1, colon - 1)] = token.substr(colon + 1);
        } else {
            size_t nameEnd = Mbcs::NextChar(token, 1);
            m_switches[token.substr(1, nameEnd - 1)] = token.substr(nameEnd);
        }
    }
}

bool CCommandLine::HasSwitch(const char* name) const
{
    return m_switches.count(name) != 0;
}

bool CCommandLine::GetSwitch(const char* name, std::string& value, const char* defaultValue) const
{
    auto it = m_switches.find(name);
    if (it != m_switches.end()) {
        value = it->second;
        return true;
    }
    if (defaultValue != nullptr)
        value = defaultValue;
    return false;
}
