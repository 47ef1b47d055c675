#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ScratchDirectory.h"
#include "unit/support/FileFailure.h"
#include "support/Checksum.h"
#include "support/XBlockFile.h"

namespace {

// Records the hook calls with the read count at each; at the first end of
// data it goes on in the continuation file, if one is given.
class CRecordingFile : public CXBlockFile {
public:
    bool OnEndOfData() override
    {
        m_endCounts.push_back(GetCount(dirRead));
        if (m_strNext.empty())
            return true;
        Reopen(m_strNext.c_str());
        m_strNext.clear();
        return false;
    }
    void OnBlockEnd() override { m_blockCounts.push_back(GetCount(dirRead)); }

    std::vector<int32_t> m_blockCounts, m_endCounts;
    std::string m_strNext;
};

} // namespace

TEST(XBlockFileRead, EachBlockEndsOnceAndEachShortReadEndsTheDataAcrossAContinuation)
{
    CScratchDirectory files;
    const std::string first = PatternBytes(3500, 1), second = PatternBytes(4692, 2);
    CRecordingFile file;
    file.SetBlockSize(4096);
    file.m_strNext = files.WriteFile("b.bin", second);
    file.OpenRead(files.WriteFile("a.bin", first).c_str());
    std::string got;
    char buffer[1000];
    // Request 4 draws on both files, 9 reaches the end, 10 finds nothing.
    for (int i = 0; i < 10; ++i)
        got.append(buffer, file.Read(buffer, sizeof buffer));
    EXPECT_EQ(first + second, got);
    // The block that spans the two files is reported once, and so is the last.
    EXPECT_EQ((std::vector<int32_t>{4096, 8192}), file.m_blockCounts);
    EXPECT_EQ((std::vector<int32_t>{3500, 8192, 8192}), file.m_endCounts);
    EXPECT_EQ(3500, file.GetBase(CXBlockFile::dirRead));
    EXPECT_EQ(UpdateChecksumBytewise(0, got.data(), got.size()), file.GetCrc());
}
