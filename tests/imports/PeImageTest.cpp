#include <gtest/gtest.h>

#include <functional>

#include "PeImage.h"
#include "TestImage.h"

namespace {

const std::vector<TestImport> kImports = {
    {"KERNEL32.dll", {"CloseHandle", "MoveFileExA"}},
    {"msvcrt.dll", {"#7", "malloc"}},
};

TEST(PeImage, ReadsEveryImportDllByDllByNameOrOrdinal)
{
    CPeImage image(BuildImage(kImports));
    std::vector<std::pair<std::string, std::string>> read;
    for (const PeImport& import : image.GetImports())
        read.emplace_back(import.dll, import.function);
    EXPECT_EQ(read,
              (std::vector<std::pair<std::string, std::string>>{{"KERNEL32.dll", "CloseHandle"},
                                                                {"KERNEL32.dll", "MoveFileExA"},
                                                                {"msvcrt.dll", "#7"},
                                                                {"msvcrt.dll", "malloc"}}));
    EXPECT_FALSE(image.HasDelayImports());
}

// Each damage to a good image, and the check that must name it.
TEST(PeImage, MalformedImagesAreRefusedNamingTheCheck)
{
    const size_t optional = kTestOptionalHeader;
    const size_t importDirectory = optional + 96 + 8;
    // One DLL imported by ordinal only: its name is the last thing in the section.
    const std::vector<TestImport> lastIsName = {{"KERNEL32.dll", {"#1"}}};
    struct Case {
        const char* what;
        std::vector<TestImport> imports;
        std::function<void(std::vector<uint8_t>&)> damage;
        const char* error;
    };
    const Case cases[] = {
        {"cut inside the headers", kImports, [](auto& b) { b.resize(0x50); }, "truncated"},
        {"no MZ", kImports, [](auto& b) { b[0] = 'X'; }, "no MZ header"},
        {"no PE signature", kImports, [](auto& b) { b[0x41] = 'X'; }, "no PE signature"},
        {"64-bit optional header", kImports, [&](auto& b) { Put(b, optional, 0x20B, 2); },
         "not a 32-bit image"},
        {"more directories than fit", kImports, [&](auto& b) { Put(b, optional + 92, 1000, 4); },
         "do not fit the optional header"},
        {"import table outside the sections", kImports,
         [&](auto& b) { Put(b, importDirectory, 0x9000, 4); }, "lies outside every section"},
        {"import table without its end", kImports,
         [&](auto& b) {
             uint32_t size = static_cast<uint32_t>(b.size() - kTestSectionOffset);
             Put(b, importDirectory, kTestSectionRva + size - 8, 4);
         },
         "runs past its section without its end"},
        {"DLL name without its NUL", lastIsName,
         [&](auto& b) {
             Put(b, kTestSectionHeader + 16,
                 static_cast<uint32_t>(b.size() - kTestSectionOffset - 1), 4);
         },
         "a DLL name at RVA"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = BuildImage(c.imports);
        c.damage(bytes);
        try {
            CPeImage image(bytes);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const CPeFormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos)
                << c.what << ": " << e.what();
        }
    }
}

} // namespace
