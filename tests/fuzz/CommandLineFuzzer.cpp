// The command-line parser on arbitrary text and switch characters.
//
// Input: the switch character, the code-page selector, then the command-line
// text (up to a zero byte). Under the single-byte code page the switches
// found are compared with a plain reading of the rules: blanks separate
// tokens; a switch token names up to its first ':' (value after it) or else
// by its one next character (value the rest); a lone switch character is
// ignored; other tokens are "#0", "#1", ...; the last occurrence wins.
// Under the double-byte code page, only the absence of faults is checked.
#include <map>
#include <string>

#include "app/CommandLine.h"
#include "fuzz/FuzzSupport.h"
#include "support/Mbcs.h"

namespace {

std::map<std::string, std::string> Expected(const std::string& text, char switchChar)
{
    std::map<std::string, std::string> switches;
    int positional = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find_first_not_of(' ', pos);
        if (start == std::string::npos)
            break;
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string token = text.substr(start, end - start);
        pos = end;
        if (token[0] != switchChar)
            switches["#" + std::to_string(positional++)] = token;
        else if (token.size() == 1)
            continue;
        else if (token.find(':', 1) != std::string::npos)
            switches[token.substr(1, token.find(':', 1) - 1)] =
                token.substr(token.find(':', 1) + 1);
        else
            switches[token.substr(1, 1)] = token.substr(2);
    }
    return switches;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput in(data, size);
    const char switchChar = static_cast<char>(in.Byte());
    const unsigned codePage = FuzzCodePage(in.Byte());
    const std::string text = in.Text();
    Mbcs::SetCodePage(codePage);
    const CCommandLine commandLine(text.c_str(), switchChar);

    // The switches the program asks for, and one no text can give.
    for (const char* name : {"D", "B", "I", "#0", ""}) {
        std::string value = "untouched";
        const bool given = commandLine.GetSwitch(name, value, "default");
        Require(given == commandLine.HasSwitch(name), "GetSwitch and HasSwitch agree");
        Require(given || value == "default", "a missing switch gives the default");
        std::string kept = "untouched";
        Require(commandLine.GetSwitch(name, kept) || kept == "untouched",
                "a missing switch without default leaves the value alone");
    }
    if (codePage == 0) {
        for (const auto& entry : Expected(text, switchChar)) {
            std::string value;
            Require(commandLine.GetSwitch(entry.first.c_str(), value),
                    "every switch given is found");
            Require(value == entry.second, "a switch has the value of its last occurrence");
        }
        for (const char* name : {"D", "B", "I", "#0"})
            Require(commandLine.HasSwitch(name) == (Expected(text, switchChar).count(name) != 0),
                    "no switch is found that was not given");
    }
    Mbcs::SetCodePage(0);
    return 0;
}
