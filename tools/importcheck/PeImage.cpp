#include "PeImage.h"

#include <fstream>
#include <iterator>

namespace {

const size_t kFileHeaderSize = 20;
const size_t kSectionHeaderSize = 40;
const size_t kImportDescriptorSize = 20;
const uint16_t kPe32Magic = 0x10B;
const uint32_t kImportDirectory = 1;
const uint32_t kDelayImportDirectory = 13;

struct Section {
    uint32_t rva;
    uint32_t size; // of the raw data that backs it
    uint32_t offset;
};

// Bounds-checked little-endian reads from the file and from RVAs.
class CImageBytes {
public:
    explicit CImageBytes(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    uint32_t Read(size_t offset, size_t width) const
    {
        if (offset > m_bytes.size() || m_bytes.size() - offset < width)
            throw CPeFormatError("truncated: " + std::to_string(width) + " bytes at offset " +
                                 std::to_string(offset) + " lie past the end");
        uint32_t value = 0;
        for (size_t i = width; i-- > 0;)
            value = (value << 8) | m_bytes[offset + i];
        return value;
    }
    uint16_t Read16(size_t offset) const { return static_cast<uint16_t>(Read(offset, 2)); }
    uint32_t Read32(size_t offset) const { return Read(offset, 4); }

    void AddSection(const Section& section) { m_sections.push_back(section); }

    // The file offset of an RVA and the bytes left after it in its section.
    size_t OffsetOf(uint32_t rva, size_t& left, const char* what) const
    {
        for (const Section& s : m_sections) {
            if (rva >= s.rva && rva - s.rva < s.size) {
                left = s.size - (rva - s.rva);
                return static_cast<size_t>(s.offset) + (rva - s.rva);
            }
        }
        throw CPeFormatError(std::string(what) + " at RVA " + std::to_string(rva) +
                             " lies outside every section");
    }
    uint32_t Read32At(uint32_t rva, const char* what) const
    {
        size_t left = 0;
        size_t offset = OffsetOf(rva, left, what);
        if (left < 4)
            throw CPeFormatError(std::string(what) + " at RVA " + std::to_string(rva) +
                                 " runs past its section");
        return Read32(offset);
    }
    std::string StringAt(uint32_t rva, const char* what) const
    {
        size_t left = 0;
        size_t offset = OffsetOf(rva, left, what);
        std::string text;
        for (size_t i = 0; i < left; ++i) {
            char c = static_cast<char>(Read(offset + i, 1));
            if (c == '\0')
                return text;
            text += c;
        }
        throw CPeFormatError(std::string(what) + " at RVA " + std::to_string(rva) +
                             " runs past its section");
    }

private:
    const std::vector<uint8_t>& m_bytes;
    std::vector<Section> m_sections;
};

} // namespace

CPeImage::CPeImage(const std::vector<uint8_t>& bytes)
{
    CImageBytes image(bytes);
    if (bytes.size() < 2 || bytes[0] != 'M' || bytes[1] != 'Z')
        throw CPeFormatError("not an executable: no MZ header");
    size_t pe = image.Read32(0x3C);
    if (image.Read32(pe) != 0x00004550) // "PE\0\0"
        throw CPeFormatError("no PE signature at offset " + std::to_string(pe));
    size_t fileHeader = pe + 4;
    m_machine = image.Read16(fileHeader);
    uint16_t sectionCount = image.Read16(fileHeader + 2);
    uint16_t optionalSize = image.Read16(fileHeader + 16);
    size_t optional = fileHeader + kFileHeaderSize;
    uint16_t magic = image.Read16(optional);
    if (magic != kPe32Magic)
        throw CPeFormatError("not a 32-bit image: optional-header magic " + std::to_string(magic));
    m_osVersion = {image.Read16(optional + 40), image.Read16(optional + 42)};
    m_subsystemVersion = {image.Read16(optional + 48), image.Read16(optional + 50)};
    uint32_t directoryCount = image.Read32(optional + 92);
    // The directories must fit in the optional header that the file header sizes.
    if (96 + static_cast<uint64_t>(directoryCount) * 8 > optionalSize)
        throw CPeFormatError(std::to_string(directoryCount) +
                             " data directories do not fit the optional header");
    auto directoryRva = [&](uint32_t index) {
        return index < directoryCount ? image.Read32(optional + 96 + index * 8) : 0;
    };

    size_t sections = optional + optionalSize;
    for (uint16_t i = 0; i < sectionCount; ++i) {
        size_t header = sections + i * kSectionHeaderSize;
        image.AddSection(
            {image.Read32(header + 12), image.Read32(header + 16), image.Read32(header + 20)});
    }

    m_delayImports = directoryRva(kDelayImportDirectory) != 0;
    uint32_t descriptor = directoryRva(kImportDirectory);
    if (descriptor == 0)
        return;
    for (;; descriptor += kImportDescriptorSize) {
        size_t left = 0;
        size_t offset = image.OffsetOf(descriptor, left, "the import table");
        if (left < kImportDescriptorSize)
            throw CPeFormatError("the import table runs past its section without its end");
        uint32_t names = image.Read32(offset);
        uint32_t dllName = image.Read32(offset + 12);
        uint32_t addresses = image.Read32(offset + 16);
        if (names == 0 && dllName == 0 && addresses == 0)
            break;
        std::string dll = image.StringAt(dllName, "a DLL name");
        for (uint32_t entry = names != 0 ? names : addresses;; entry += 4) {
            uint32_t value = image.Read32At(entry, "an import's name-table entry");
            if (value == 0)
                break;
            if (value & 0x80000000u)
                m_imports.push_back({dll, "#" + std::to_string(value & 0xFFFF)});
            else
                m_imports.push_back(
                    {dll, image.StringAt(value + 2, "an imported function's name")});
        }
    }
}

CPeImage CPeImage::Read(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw CPeFormatError("cannot be opened");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (file.bad())
        throw CPeFormatError("cannot be read");
    return CPeImage(bytes);
}
