#pragma once
// The archive checksum: 32 bits over the unpacked bytes of a member, started
// at 0, no final inversion. It uses the table of the standard reflected CRC-32
// (polynomial 0xEDB88320) but shifts by 6 bits per byte, not 8:
//
//     crc = T[(crc ^ b) & 0xFF] ^ ((crc >> 6) & 0x00FFFFFF)
//
// so it is not the standard CRC-32; an archive writer must use this same step.
// "abc" gives 0x3E105F31. The tables are built once, at the first use.

#include <cstddef>
#include <cstdint>

// crc continued over count bytes of data.
uint32_t UpdateChecksum(uint32_t crc, const void* data, size_t count);

// The same, one byte per step (the reference the fast form must agree with).
uint32_t UpdateChecksumBytewise(uint32_t crc, const void* data, size_t count);
