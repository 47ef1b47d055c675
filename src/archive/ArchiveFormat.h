#pragma once
// The archive format, byte by byte. All numbers are little-endian; fields are
// decoded one byte at a time, never by casting a structure over the bytes.
//
// A piece (an archive file, or one part of an archive cut across diskettes):
//
//   0    8  header: "mflh", then 4 bytes the reader does not examine
//   8    .. entries up to the end of the file (no table, no end marker)
//
// An entry: a 346-byte record followed at once by the member's packed data.
//
//   0    4  tag "mfen"
//   4    2  version (1)
//   6    2  record size (346)
//   8    4  modification time, seconds since 1970 UTC; 0 = leave the file's time
//  12    4  (unused)
//  16  260  name, zero-terminated
// 276    4  unpacked size
// 280    4  packed size, over all pieces when the member continues
// 284    4  checksum of the unpacked bytes; 0 = not checked
// 288    4  (unused)
// 292    4  method: 2 stored, 4 zlib stream
// 296    4  method parameter (ignored by the codecs)
// 300    2  destination id; 0xFFFF = not installed
// 302    2  attributes in the low byte (read-only 1, hidden 2, system 4, archive 0x20)
// 304    2  continued flag: the packed data goes on in the next piece
// 306   40  text, zero-terminated
//
// A member's data may be cut at the end of a piece only where its continued
// flag is set; its rest follows the header of the next piece. Records are
// never cut.

#include <cstddef>
#include <cstdint>

namespace ArchiveFormat {

constexpr size_t kHeaderSize = 8;
constexpr char kHeaderTag[4] = {'m', 'f', 'l', 'h'};

constexpr size_t kRecordSize = 346;
constexpr char kRecordTag[4] = {'m', 'f', 'e', 'n'};

constexpr size_t kTagOffset = 0;
constexpr size_t kVersionOffset = 4;
constexpr size_t kRecordSizeOffset = 6;
constexpr size_t kTimeOffset = 8;
constexpr size_t kNameOffset = 16;
constexpr size_t kNameSize = 260;
constexpr size_t kUnpackedSizeOffset = 276;
constexpr size_t kPackedSizeOffset = 280;
constexpr size_t kCrcOffset = 284;
constexpr size_t kMethodOffset = 292;
constexpr size_t kMethodParameterOffset = 296;
constexpr size_t kDestinationOffset = 300;
constexpr size_t kAttributesOffset = 302;
constexpr size_t kContinuedOffset = 304;
constexpr size_t kTextOffset = 306;
constexpr size_t kTextSize = 40;

constexpr uint16_t kRecordVersion = 1;
constexpr uint16_t kNotInstalled = 0xFFFF;

enum Method : uint32_t { methodStored = 2, methodZLib = 4 };

static_assert(kNameOffset + kNameSize == kUnpackedSizeOffset, "name runs into the sizes");
static_assert(kMethodOffset + 4 == kMethodParameterOffset, "method fields overlap");
static_assert(kContinuedOffset + 2 == kTextOffset, "flags run into the text");
static_assert(kTextOffset + kTextSize == kRecordSize, "a record is 346 bytes");

inline uint16_t GetLE16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t GetLE32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void PutLE16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutLE32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

} // namespace ArchiveFormat
