// i486_check: whether a 486 executes every instruction of the binaries that go
// on the diskettes. Disassembles each binary's code sections with objdump and
// names every instruction outside the 486's set, with the function it lies in
// where the binary keeps its symbols.
//
//   i486_check OBJDUMP BINARY...   @FILE stands for the binaries FILE names,
//                                  one a line
//
// Runs on the build machine. Exit status: 0 a 486 executes every instruction,
// 1 a binary holds one it does not, 2 usage error or a binary objdump cannot read.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "I486Listing.h"

namespace {

bool AddBinaries(const std::string& argument, std::vector<std::string>& binaries)
{
    if (argument.empty() || argument[0] != '@') {
        binaries.push_back(argument);
        return true;
    }
    std::ifstream list(argument.substr(1));
    for (std::string line; std::getline(list, line);)
        if (!line.empty())
            binaries.push_back(line);
    return !list.bad() && list.eof();
}

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// objdump's listing of the code sections, or false when objdump fails.
bool Disassemble(const std::string& objdump, const std::string& binary, std::string& listing)
{
    std::string command =
        Quote(objdump) + " -d -M intel --no-show-raw-insn " + Quote(binary) + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return false;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        listing.append(buffer, n);
    return pclose(pipe) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("usage: i486_check OBJDUMP BINARY... (@FILE: the binaries FILE names)\n");
        return 2;
    }
    std::vector<std::string> binaries;
    for (int i = 2; i < argc; ++i) {
        if (!AddBinaries(argv[i], binaries)) {
            std::printf("i486_check: %s cannot be read\n", argv[i] + 1);
            return 2;
        }
    }
    if (binaries.empty()) {
        std::printf("i486_check: no binaries to check\n");
        return 2;
    }
    int status = 0;
    for (const std::string& binary : binaries) {
        std::string listing;
        if (!Disassemble(argv[1], binary, listing)) {
            std::printf("%s: objdump cannot disassemble it:\n%s", binary.c_str(), listing.c_str());
            status = 2;
            continue;
        }
        std::istringstream lines(listing);
        size_t instructions = 0;
        std::vector<I486Finding> findings = Find486Problems(lines, instructions);
        if (instructions == 0) {
            std::printf("%s: objdump shows no code in it\n", binary.c_str());
            status = 2;
            continue;
        }
        for (const I486Finding& finding : findings)
            std::printf("%s: %s <%s>: %s is not a 486 instruction\n", binary.c_str(),
                        finding.address.c_str(),
                        finding.function.empty() ? "no symbol" : finding.function.c_str(),
                        finding.instruction.c_str());
        if (findings.empty())
            std::printf("%s: a 486 executes all %zu instructions\n", binary.c_str(), instructions);
        else if (status == 0)
            status = 1;
        if (!findings.empty())
            std::printf("%s: %zu of %zu instructions are not a 486's\n", binary.c_str(),
                        findings.size(), instructions);
    }
    return status;
}
