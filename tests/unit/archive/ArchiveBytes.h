#pragma once
// Archives built as bytes, field by field, for the reader's tests: nothing
// here uses the reader or the writer under test.

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace ArchiveBytes {

// The checksum step written out once more, independently of the program's.
inline uint32_t Checksum(const std::string& data)
{
    static uint32_t table[256];
    if (table[1] == 0) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    uint32_t crc = 0;
    for (unsigned char b : data)
        crc = table[(crc ^ b) & 0xFF] ^ ((crc >> 6) & 0x00FFFFFF);
    return crc;
}

inline std::string Deflate(const std::string& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(data.data()),
              static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION);
    out.resize(size);
    return out;
}

inline void Put16(std::string& s, size_t at, uint16_t v)
{
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8);
}

inline void Put32(std::string& s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline std::string Header()
{
    return std::string("mflh\0\0\0\0", 8);
}

struct Entry {
    std::string name = "member.bin";
    std::string packed; // the packed data that follows the record
    uint32_t unpacked = 0;
    uint32_t crc = 0;
    uint32_t method = 2;
    uint32_t parameter = 0;
    uint16_t dest = 0;
    uint16_t attributes = 0;
    uint16_t continued = 0;
    uint32_t mtime = 0;
    std::string text;
    int64_t packedSize = -1; // the size the record claims; -1: packed.size()
    const char* tag = "mfen";

    // The record alone, 346 bytes.
    std::string Record() const
    {
        std::string r(346, '\0');
        memcpy(&r[0], tag, 4);
        Put16(r, 4, 1);
        Put16(r, 6, 346);
        Put32(r, 8, mtime);
        memcpy(&r[16], name.data(), std::min<size_t>(name.size(), 260));
        Put32(r, 276, unpacked);
        Put32(r, 280,
              packedSize >= 0 ? static_cast<uint32_t>(packedSize)
                              : static_cast<uint32_t>(packed.size()));
        Put32(r, 284, crc);
        Put32(r, 292, method);
        Put32(r, 296, parameter);
        Put16(r, 300, dest);
        Put16(r, 302, attributes);
        Put16(r, 304, continued);
        memcpy(&r[306], text.data(), std::min<size_t>(text.size(), 40));
        return r;
    }
    // Record and data.
    std::string Bytes() const { return Record() + packed; }
};

inline Entry Stored(const std::string& name, const std::string& data)
{
    Entry e;
    e.name = name;
    e.packed = data;
    e.unpacked = static_cast<uint32_t>(data.size());
    e.crc = Checksum(data);
    e.method = 2;
    return e;
}

inline Entry Deflated(const std::string& name, const std::string& data)
{
    Entry e = Stored(name, data);
    e.packed = Deflate(data);
    e.method = 4;
    return e;
}

} // namespace ArchiveBytes
