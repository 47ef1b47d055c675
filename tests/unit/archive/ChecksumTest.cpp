#include <gtest/gtest.h>

#include <string>

#include "ArchiveBytes.h"
#include "support/Checksum.h"
#include "unit/support/ScratchFiles.h"

TEST(Checksum, KnownValues)
{
    EXPECT_EQ(0x3E105F31u, UpdateChecksum(0, "abc", 3));
    EXPECT_EQ(0x3E105F31u, UpdateChecksumBytewise(0, "abc", 3));
    EXPECT_EQ(0u, UpdateChecksum(0, "", 0));
    // The first table entry of the standard reflected CRC-32 shows through
    // for a single byte 1 from 0.
    const unsigned char one = 1;
    EXPECT_EQ(0x77073096u, UpdateChecksum(0, &one, 1));
}

TEST(Checksum, AgreesWithTheByteStepForEveryLengthAndSplit)
{
    const std::string data = PatternBytes(300, 7);
    for (size_t length = 0; length <= data.size(); ++length) {
        const uint32_t expected = ArchiveBytes::Checksum(data.substr(0, length));
        ASSERT_EQ(expected, UpdateChecksumBytewise(0, data.data(), length)) << length;
        ASSERT_EQ(expected, UpdateChecksum(0, data.data(), length)) << length;
        // Continued over two calls split anywhere, as counted reads do.
        const size_t split = length / 3;
        uint32_t crc = UpdateChecksum(0, data.data(), split);
        ASSERT_EQ(expected, UpdateChecksum(crc, data.data() + split, length - split)) << length;
    }
}

TEST(Checksum, AgreesOnLargeBuffersFromAnyStart)
{
    const std::string data = PatternBytes(100000, 3);
    for (uint32_t start : {0u, 1u, 0xFFFFFFFFu, 0x80000000u, 0x3E105F31u}) {
        EXPECT_EQ(UpdateChecksumBytewise(start, data.data(), data.size()),
                  UpdateChecksum(start, data.data(), data.size()))
            << start;
    }
}
