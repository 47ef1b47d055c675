#include <gtest/gtest.h>

#include <algorithm>
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
    const std::string first = Payload(3500, 1), second = Payload(4692, 2);
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

TEST(XBlockFileWrite, GatheredBytesReachTheFileInOrderOnCloseAndAbortDropsThem)
{
    CScratchDirectory files;
    const std::string data = Payload(3 * CXBlockFile::kWriteGather / 2 + 100, 3);
    CXBlockFile file;
    file.OpenWrite(files.File("out.bin").c_str());
    // Counted writes of a codec's size around a raw write: the raw bytes land
    // after every counted byte before them.
    file.Write(data.data(), 4096);
    file.WriteRaw("RAW", 3);
    for (size_t at = 4096; at < data.size(); at += 4096)
        file.Write(data.data() + at,
                   static_cast<unsigned>(std::min<size_t>(4096, data.size() - at)));
    EXPECT_EQ(data.size() + 3, file.GetPosition());
    EXPECT_EQ(static_cast<int32_t>(data.size()), file.GetCount(CXBlockFile::dirWrite));
    file.Close();
    EXPECT_EQ(data.substr(0, 4096) + "RAW" + data.substr(4096),
              ReadWholeFile(files.File("out.bin")));

    // An extraction that fails leaves only what reached the system.
    file.OpenWrite(files.File("cut.bin").c_str());
    file.Write(data.data(), CXBlockFile::kWriteGather + 10);
    file.Write(data.data(), 10);
    file.Abort();
    EXPECT_EQ(data.substr(0, CXBlockFile::kWriteGather + 10), ReadWholeFile(files.File("cut.bin")));
}
