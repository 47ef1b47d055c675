#pragma once
// CCommandLine: the switches of a command line, by name.
//
// The text is cut into tokens at blanks (the space character only; there is
// no quoting). A token that starts with the switch character is a switch: its
// name runs up to the first ':' and its value follows it (/D:C:\SETUP is D
// with value C:\SETUP); without a ':' the name is the one character after the
// switch character and the rest of the token is the value (/BATCH is B with
// value ATCH). The switch character alone is ignored. Any other token is a
// positional argument, stored under "#0", "#1", ... in order. Names are
// compared exactly (case matters); a switch given twice keeps its last value.

#include <map>
#include <string>

class CCommandLine {
public:
    // commandLine may be null (no switches).
    CCommandLine(const char* commandLine, char switchChar);

    // True when the switch was given, with or without a value.
    bool HasSwitch(const char* name) const;
    // True and the switch's value when it was given. Otherwise false, and value
    // receives defaultValue when one is given (is left alone when it is null).
    bool GetSwitch(const char* name, std::string& value, const char* defaultValue = nullptr) const;

private:
    std::map<std::string, std::string> m_switches;
};
