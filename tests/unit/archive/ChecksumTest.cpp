#include <gtest/gtest.h>

#include <string>

#include "support/Checksum.h"
#include "common/TestFiles.h"

TEST(Checksum, KnownValues)
{
    EXPECT_EQ(0x3E105F31u, UpdateChecksumBytewise(0, "abc", 3));
    // A longer pattern, worked out bit by bit apart from the program.
    const std::string data = Payload(1024, 7);
    EXPECT_EQ(0x054D1D13u, UpdateChecksumBytewise(0, data.data(), data.size()));
}

TEST(Checksum, FastFormAgreesWithTheByteStepForEveryLengthAndSplit)
{
    const std::string data = Payload(300, 7);
    for (size_t length = 0; length <= data.size(); ++length) {
        const uint32_t expected = UpdateChecksumBytewise(0, data.data(), length);
        ASSERT_EQ(expected, UpdateChecksum(0, data.data(), length)) << length;
        // Continued over two calls split anywhere, as counted reads do.
        const size_t split = length / 3;
        const uint32_t crc = UpdateChecksum(0, data.data(), split);
        ASSERT_EQ(expected, UpdateChecksum(crc, data.data() + split, length - split)) << length;
    }
}
