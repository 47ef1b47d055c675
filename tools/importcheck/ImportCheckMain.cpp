// import_check: whether the shipped binaries will load on Windows 95, NT 3.51
// and NT 4.0. Reads each binary's header and import table and compares every
// imported function with the allowlist.
//
//   import_check ALLOWLIST BINARY...   @FILE stands for the binaries FILE
//                                      names, one a line
//
// Exit status: 0 all load, 1 a binary will not, 2 usage or read error.

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ImportAllowlist.h"
#include "LoaderCheck.h"
#include "PeImage.h"

namespace {

bool ReadText(const std::string& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("usage: import_check ALLOWLIST BINARY... (@FILE: the binaries FILE names)\n");
        return 2;
    }
    std::string text;
    if (!ReadText(argv[1], text)) {
        std::printf("import_check: %s cannot be read\n", argv[1]);
        return 2;
    }
    std::vector<std::string> binaries;
    for (int i = 2; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument[0] != '@') {
            binaries.push_back(argument);
            continue;
        }
        std::string list;
        if (!ReadText(argument.substr(1), list)) {
            std::printf("import_check: %s cannot be read\n", argument.c_str() + 1);
            return 2;
        }
        std::istringstream lines(list);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty())
                binaries.push_back(line);
    }
    if (binaries.empty()) {
        std::printf("import_check: no binaries to check\n");
        return 2;
    }

    std::unique_ptr<CImportAllowlist> allowlist;
    try {
        allowlist.reset(new CImportAllowlist(text));
    } catch (const std::invalid_argument& e) {
        std::printf("import_check: %s: %s\n", argv[1], e.what());
        return 2;
    }
    int status = 0;
    for (const std::string& binary : binaries) {
        try {
            CPeImage image = CPeImage::Read(binary);
            std::vector<std::string> problems = FindLoaderProblems(image, *allowlist);
            if (problems.empty())
                std::printf("%s: loads (%zu imports)\n", binary.c_str(), image.GetImports().size());
            for (const std::string& problem : problems)
                std::printf("%s: %s\n", binary.c_str(), problem.c_str());
            if (!problems.empty() && status == 0)
                status = 1;
        } catch (const CPeFormatError& e) {
            std::printf("%s: %s\n", binary.c_str(), e.what());
            status = 2;
        }
    }
    return status;
}
