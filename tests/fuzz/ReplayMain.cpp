// Runs a fuzz target once over every file of its committed corpus, without
// mutation: make test replays each target this way, with any compiler, so a
// regression fails the suite. Arguments are corpus files or directories of
// them; a replay that finds no input fails, so that a lost corpus is noticed.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"

// Targets that need no set-up do not define it.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        if (fs::is_directory(argv[i], error)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(argv[i], error))
                if (entry.is_regular_file(error))
                    inputs.push_back(entry.path().string());
        } else if (fs::is_regular_file(argv[i], error)) {
            inputs.push_back(argv[i]);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        fprintf(stderr, "replay: no corpus input found\n");
        return 1;
    }
    for (const std::string& input : inputs) {
        const std::string bytes = ReadWholeFile(input);
        // Printed before the run, so that a crash names its input.
        fprintf(stderr, "replay: %s\n", input.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    fprintf(stderr, "replay: %zu input(s), no finding\n", inputs.size());
    return 0;
}
