#pragma once
// Builds small i386 images in memory for the import-check tests: the headers
// and one section holding the import table (layout in PeImage.h).

#include <cstdint>
#include <string>
#include <vector>

#include "PeImage.h"

struct TestImport {
    std::string dll;
    std::vector<std::string> functions; // "#n" imports ordinal n
};

struct TestImageOptions {
    uint16_t machine = CPeImage::kMachineI386;
    PeVersion os = {4, 0};
    PeVersion subsystem = {4, 0};
    bool delayImports = false;
};

const uint32_t kTestSectionRva = 0x1000;
const size_t kTestSectionOffset = 0x200;
const size_t kTestOptionalHeader = 0x58;
const size_t kTestSectionHeader = kTestOptionalHeader + 224;

inline void Put(std::vector<uint8_t>& bytes, size_t offset, uint32_t value, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void Append(std::vector<uint8_t>& bytes, const std::string& text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
}

inline std::vector<uint8_t> BuildImage(const std::vector<TestImport>& imports,
                                       const TestImageOptions& options = {})
{
    std::vector<uint8_t> section((imports.size() + 1) * 20);
    for (size_t i = 0; i < imports.size(); ++i) {
        const TestImport& import = imports[i];
        size_t table = section.size();
        section.resize(table + (import.functions.size() + 1) * 4);
        for (size_t j = 0; j < import.functions.size(); ++j) {
            const std::string& function = import.functions[j];
            uint32_t entry = 0;
            if (function[0] == '#') {
                entry = 0x80000000u | static_cast<uint32_t>(std::stoul(function.substr(1)));
            } else {
                entry = kTestSectionRva + static_cast<uint32_t>(section.size());
                section.push_back(0); // the hint
                section.push_back(0);
                Append(section, function);
            }
            Put(section, table + j * 4, entry, 4);
        }
        size_t name = section.size();
        Append(section, import.dll);
        Put(section, i * 20, kTestSectionRva + static_cast<uint32_t>(table), 4);
        Put(section, i * 20 + 12, kTestSectionRva + static_cast<uint32_t>(name), 4);
        Put(section, i * 20 + 16, kTestSectionRva + static_cast<uint32_t>(table), 4);
    }

    std::vector<uint8_t> image(kTestSectionOffset + section.size());
    image[0] = 'M';
    image[1] = 'Z';
    Put(image, 0x3C, 0x40, 4);
    Put(image, 0x40, 0x00004550, 4);
    Put(image, 0x44, options.machine, 2);
    Put(image, 0x46, 1, 2);   // one section
    Put(image, 0x54, 224, 2); // optional header with 16 directories
    size_t optional = kTestOptionalHeader;
    Put(image, optional, 0x10B, 2);
    Put(image, optional + 40, options.os.major, 2);
    Put(image, optional + 42, options.os.minor, 2);
    Put(image, optional + 48, options.subsystem.major, 2);
    Put(image, optional + 50, options.subsystem.minor, 2);
    Put(image, optional + 68, 2, 2); // Windows GUI
    Put(image, optional + 92, 16, 4);
    Put(image, optional + 96 + 8, kTestSectionRva, 4);
    Put(image, optional + 96 + 12, static_cast<uint32_t>((imports.size() + 1) * 20), 4);
    if (options.delayImports)
        Put(image, optional + 96 + 13 * 8, kTestSectionRva, 4);
    size_t header = kTestSectionHeader;
    Put(image, header + 8, static_cast<uint32_t>(section.size()), 4);
    Put(image, header + 12, kTestSectionRva, 4);
    Put(image, header + 16, static_cast<uint32_t>(section.size()), 4);
    Put(image, header + 20, kTestSectionOffset, 4);
    std::copy(section.begin(), section.end(), image.begin() + kTestSectionOffset);
    return image;
}
