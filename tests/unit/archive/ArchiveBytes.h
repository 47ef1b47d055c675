#pragma once
// Archives built as bytes, field by field, apart from the reader and writer
// under test (the byte-at-a-time checksum is pinned by its own test).

#include <zlib.h>

#include <cstdint>
#include <string>

#include "support/Checksum.h"
#include "unit/support/FileFailure.h"

inline const std::string kHeader("mflh\0\0\0\0", 8);

// One member: its 346-byte record, little-endian, and its packed data.
struct Entry {
    std::string name, packed, text;
    uint32_t unpacked = 0, crc = 0, method = 2, parameter = 0, mtime = 0;
    int64_t packedSize = -1; // the size the record claims; -1: packed.size()
    uint16_t dest = 0, attributes = 0, continued = 0;

    std::string Record() const
    {
        std::string r = "mfen" + std::string(342, '\0');
        auto put = [&r](size_t at, uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                r[at + i] = static_cast<char>(v >> (8 * i));
        };
        put(4, 1, 2);   // version
        put(6, 346, 2); // record size
        put(8, mtime, 4);
        name.copy(&r[16], 260);
        put(276, unpacked, 4);
        put(280, packedSize >= 0 ? uint32_t(packedSize) : uint32_t(packed.size()), 4);
        put(284, crc, 4);
        put(292, method, 4);
        put(296, parameter, 4);
        put(300, dest, 2);
        put(302, attributes, 2);
        put(304, continued, 2);
        text.copy(&r[306], 40);
        return r;
    }
    std::string Bytes() const { return Record() + packed; }
};

inline Entry Stored(const std::string& name, const std::string& data)
{
    Entry e{name, data, ""};
    e.unpacked = static_cast<uint32_t>(data.size());
    e.crc = UpdateChecksumBytewise(0, data.data(), data.size());
    return e;
}

inline Entry Deflated(const std::string& name, const std::string& data)
{
    Entry e = Stored(name, data);
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    e.packed.assign(size, '\0');
    compress(reinterpret_cast<Bytef*>(&e.packed[0]), &size,
             reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()));
    e.packed.resize(size);
    e.method = 4;
    return e;
}
