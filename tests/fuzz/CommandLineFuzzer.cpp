// The command-line parser on arbitrary text and switch characters, under
// the single-byte and a double-byte code page.
//
// Input: the switch character, the code-page selector, then the command-line
// text (up to a zero byte). Checks what holds whatever the rules (the rule
// table of the unit test pins the rules themselves): no fault, GetSwitch and
// HasSwitch agree, a missing switch gives the default or leaves the value alone.
#include <string>

#include "app/CommandLine.h"
#include "fuzz/FuzzSupport.h"
#include "support/Mbcs.h"

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
    Mbcs::SetCodePage(0);
    return 0;
}
