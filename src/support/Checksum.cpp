#include "support/Checksum.h"

namespace {

// The step is linear over GF(2) in the running value and the byte (the CRC
// table is, and so are the shift and the mask). The value after kSlice bytes
// is therefore the XOR of one table entry per byte of the running value and
// one per data byte; the tables hold those contributions and are built by
// running the byte step itself, so both forms agree by construction.
constexpr int kSlice = 32;

struct ChecksumTables {
    uint32_t step[256];         // the standard reflected CRC-32 table
    uint32_t value[4][256];     // byte j of the running value, after kSlice steps
    uint32_t data[kSlice][256]; // data byte k of a slice, after the slice's remaining steps
};

inline uint32_t Step(const uint32_t* table, uint32_t crc, uint8_t byte)
{
    return table[(crc ^ byte) & 0xFF] ^ ((crc >> 6) & 0x00FFFFFF);
}

ChecksumTables* BuildTables()
{
    static ChecksumTables tables;
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables.step[n] = c;
    }
    for (uint32_t v = 0; v < 256; ++v) {
        for (int j = 0; j < 4; ++j) {
            uint32_t crc = v << (8 * j);
            for (int k = 0; k < kSlice; ++k)
                crc = Step(tables.step, crc, 0);
            tables.value[j][v] = crc;
        }
        for (int position = 0; position < kSlice; ++position) {
            uint32_t crc = 0;
            for (int k = 0; k < kSlice; ++k)
                crc = Step(tables.step, crc, k == position ? static_cast<uint8_t>(v) : 0);
            tables.data[position][v] = crc;
        }
    }
    return &tables;
}

const ChecksumTables& Tables()
{
    // Built once, at the first use (thread-safe static initialisation).
    static const ChecksumTables* tables = BuildTables();
    return *tables;
}

} // namespace

uint32_t UpdateChecksumBytewise(uint32_t crc, const void* data, size_t count)
{
    const uint32_t* table = Tables().step;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < count; ++i)
        crc = Step(table, crc, p[i]);
    return crc;
}

uint32_t UpdateChecksum(uint32_t crc, const void* data, size_t count)
{
    const ChecksumTables& t = Tables();
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (count >= kSlice) {
        uint32_t next = t.value[0][crc & 0xFF] ^ t.value[1][(crc >> 8) & 0xFF] ^
                        t.value[2][(crc >> 16) & 0xFF] ^ t.value[3][crc >> 24];
        // Four bytes at a time, assembled little-endian: fewer loads.
        for (int k = 0; k < kSlice; k += 4) {
            const uint32_t w =
                p[k] | (p[k + 1] << 8) | (p[k + 2] << 16) | (static_cast<uint32_t>(p[k + 3]) << 24);
            next ^= t.data[k][w & 0xFF] ^ t.data[k + 1][(w >> 8) & 0xFF] ^
                    t.data[k + 2][(w >> 16) & 0xFF] ^ t.data[k + 3][w >> 24];
        }
        crc = next;
        p += kSlice;
        count -= kSlice;
    }
    for (; count > 0; --count)
        crc = Step(t.step, crc, *p++);
    return crc;
}
