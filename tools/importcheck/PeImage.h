#pragma once
// What a loader reads of a 32-bit Windows image before it starts it: the
// machine, the versions in the optional header and the import table.
//
// Layout (little-endian; offsets in bytes):
//   DOS header        0x00 "MZ"; 0x3C the file offset of the PE signature (4)
//   PE signature      "PE\0\0", then the file header (20 bytes): +0 machine (2;
//                     0x14C is i386), +2 number of sections (2), +16 size of the
//                     optional header (2)
//   optional header   PE32: +0 magic 0x10B, +40/+42 operating-system version
//                     major/minor (2 each), +48/+50 subsystem version (2 each),
//                     +68 subsystem (2), +92 number of data directories (4),
//                     +96 the directories, 8 bytes each (RVA, size): 1 is the
//                     import table, 13 the delay-load import table
//   section headers   after the optional header, 40 bytes each: +8 virtual
//                     size, +12 virtual address (RVA), +16 size of raw data,
//                     +20 file offset of the raw data
//   import descriptor 20 bytes each, ended by one of zeros: +0 RVA of the name
//                     table, +12 RVA of the DLL name, +16 RVA of the address
//                     table (read when there is no name table)
//   name table        4-byte entries ended by 0: high bit set is an import by
//                     ordinal (the low 16 bits), otherwise the RVA of a 2-byte
//                     hint followed by the function's name

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// An image that cannot be read as above; the text names the failed check.
class CPeFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PeVersion {
    uint16_t major;
    uint16_t minor;
};

struct PeImport {
    std::string dll;
    std::string function; // "#n" for an import by ordinal n
};

class CPeImage {
public:
    static const uint16_t kMachineI386 = 0x14C;

    // Decodes an image held in memory; throws CPeFormatError.
    explicit CPeImage(const std::vector<uint8_t>& bytes);
    // Reads the file, then decodes it; throws CPeFormatError, also when the
    // file cannot be read.
    static CPeImage Read(const std::string& path);

    uint16_t GetMachine() const { return m_machine; }
    PeVersion GetOsVersion() const { return m_osVersion; }
    PeVersion GetSubsystemVersion() const { return m_subsystemVersion; }
    // Every imported function, DLL by DLL in the table's order.
    const std::vector<PeImport>& GetImports() const { return m_imports; }
    // True when the image has a delay-load import table, which is not decoded.
    bool HasDelayImports() const { return m_delayImports; }

private:
    uint16_t m_machine = 0;
    PeVersion m_osVersion = {0, 0};
    PeVersion m_subsystemVersion = {0, 0};
    std::vector<PeImport> m_imports;
    bool m_delayImports = false;
};
