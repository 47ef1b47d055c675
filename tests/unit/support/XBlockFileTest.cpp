#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchFiles.h"
#include "support/Checksum.h"
#include "support/XBlockFile.h"

namespace {

// Records the hook calls with the read count at each, and can switch to the
// next file of a list when the data runs out.
class CRecordingFile : public CXBlockFile {
public:
    bool OnEndOfData() override
    {
        m_endCounts.push_back(GetCount(dirRead));
        if (m_bCloseAtEnd)
            Close();
        if (m_nNext < m_continuations.size()) {
            Reopen(m_continuations[m_nNext++].c_str());
            return false;
        }
        return true;
    }
    void OnBlockEnd() override { m_blockCounts.push_back(GetCount(dirRead)); }
    void SetLimit(int32_t limit) { m_nLimit = limit; }

    std::vector<int32_t> m_blockCounts;
    std::vector<int32_t> m_endCounts;
    std::vector<std::string> m_continuations;
    size_t m_nNext = 0;
    bool m_bCloseAtEnd = false;
};

} // namespace

TEST(XBlockFileRead, ShortFileEndsTheReadWithOneBlockAndOneEnd)
{
    CScratchFiles files;
    const std::string data = PatternBytes(6000);
    const std::string name = files.Write("six.bin", data);
    CRecordingFile file;
    file.SetBlockSize(4096);
    file.OpenRead(name.c_str());
    std::vector<char> buffer(10000);
    EXPECT_EQ(6000u, file.Read(buffer.data(), 10000));
    EXPECT_EQ(data, std::string(buffer.data(), 6000));
    EXPECT_EQ(std::vector<int32_t>{4096}, file.m_blockCounts);
    EXPECT_EQ(std::vector<int32_t>{6000}, file.m_endCounts);
    EXPECT_EQ(6000, file.GetCount(CXBlockFile::dirRead));
    EXPECT_EQ(UpdateChecksumBytewise(0, data.data(), data.size()), file.GetCrc());
}

TEST(XBlockFileRead, NoBlockSizeMeansNoBlockHook)
{
    CScratchFiles files;
    const std::string name = files.Write("six.bin", PatternBytes(6000));
    CRecordingFile file;
    file.OpenRead(name.c_str());
    std::vector<char> buffer(10000);
    EXPECT_EQ(6000u, file.Read(buffer.data(), 10000));
    EXPECT_TRUE(file.m_blockCounts.empty());
    EXPECT_EQ(std::vector<int32_t>{6000}, file.m_endCounts);
    EXPECT_EQ(CXBlockFile::kMaxCount, file.GetBlockLeft(CXBlockFile::dirRead));
}

TEST(XBlockFileRead, EachBlockIsReportedOnceAcrossSmallReads)
{
    CScratchFiles files;
    const std::string name = files.Write("eight.bin", PatternBytes(8192));
    CRecordingFile file;
    file.SetBlockSize(4096);
    file.OpenRead(name.c_str());
    char buffer[1000];
    unsigned total = 0;
    for (int i = 0; i < 12; ++i)
        total += file.Read(buffer, sizeof buffer);
    EXPECT_EQ(8192u, total);
    // The reads at the end of the file find nothing and end no further block.
    EXPECT_EQ((std::vector<int32_t>{4096, 8192}), file.m_blockCounts);
    EXPECT_EQ(4096, file.GetBlockLeft(CXBlockFile::dirRead));
}

TEST(XBlockFileRead, ContinuationFillsTheSameBuffer)
{
    CScratchFiles files;
    const std::string first = PatternBytes(3000, 1);
    const std::string second = PatternBytes(5000, 2);
    const std::string a = files.Write("a.bin", first);
    const std::string b = files.Write("b.bin", second);
    CRecordingFile file;
    file.SetBlockSize(4096);
    file.m_continuations.push_back(b);
    file.OpenRead(a.c_str());
    std::vector<char> buffer(10000);
    EXPECT_EQ(8000u, file.Read(buffer.data(), 10000));
    const std::string both = first + second;
    EXPECT_EQ(both, std::string(buffer.data(), 8000));
    // The block that spans the two files is reported once, at 4096.
    EXPECT_EQ(std::vector<int32_t>{4096}, file.m_blockCounts);
    EXPECT_EQ((std::vector<int32_t>{3000, 8000}), file.m_endCounts);
    EXPECT_EQ(3000, file.GetBase(CXBlockFile::dirRead));
    EXPECT_EQ(UpdateChecksumBytewise(0, both.data(), both.size()), file.GetCrc());
}

TEST(XBlockFileRead, NothingIsDeliveredAfterTheHookClosedTheFile)
{
    CScratchFiles files;
    const std::string name = files.Write("small.bin", "abc");
    CRecordingFile file;
    file.m_bCloseAtEnd = true;
    file.OpenRead(name.c_str());
    char buffer[16];
    EXPECT_EQ(3u, file.Read(buffer, sizeof buffer));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(0u, file.Read(buffer, sizeof buffer));
    EXPECT_EQ(1u, file.m_endCounts.size());
    EXPECT_EQ(0x3E105F31u, file.GetCrc());
}

TEST(XBlockFileRead, LimitStopsTheReadWhateverTheHookAnswers)
{
    CScratchFiles files;
    const std::string name = files.Write("hundred.bin", PatternBytes(100));
    CRecordingFile file;
    file.SetLimit(10);
    // A continuation is there, but the limit ends the read before it.
    file.m_continuations.push_back(name);
    file.OpenRead(name.c_str());
    char buffer[64];
    EXPECT_EQ(10u, file.Read(buffer, sizeof buffer));
    EXPECT_EQ(0, file.GetRemaining(CXBlockFile::dirRead));
    EXPECT_EQ(0u, file.Read(buffer, sizeof buffer));
}

TEST(XBlockFileRead, RawReadIsNotCounted)
{
    CScratchFiles files;
    const std::string name = files.Write("raw.bin", PatternBytes(5000));
    CRecordingFile file;
    file.SetBlockSize(4096);
    file.OpenRead(name.c_str());
    std::vector<char> buffer(5000);
    EXPECT_EQ(5000u, file.ReadRaw(buffer.data(), 5000));
    EXPECT_EQ(0, file.GetCount(CXBlockFile::dirRead));
    EXPECT_EQ(0u, file.GetCrc());
    EXPECT_TRUE(file.m_blockCounts.empty());
    EXPECT_TRUE(file.m_endCounts.empty());
}

TEST(XBlockFileReopen, BasesAreTheCountsAtTheReopen)
{
    CScratchFiles files;
    const std::string a = files.Write("a.bin", PatternBytes(300));
    const std::string b = files.Write("b.bin", PatternBytes(300));
    CXBlockFile file;
    file.OpenRead(a.c_str());
    char buffer[100];
    file.Read(buffer, 100);
    file.Reopen(b.c_str());
    EXPECT_EQ(100, file.GetBase(CXBlockFile::dirRead));
    EXPECT_EQ(0, file.GetBase(CXBlockFile::dirWrite));
    EXPECT_EQ(100, file.GetCount(CXBlockFile::dirRead));
    EXPECT_EQ(b, file.GetPath().GetString());
    // A plain open starts the bases again; the counts go on.
    file.OpenRead(a.c_str());
    EXPECT_EQ(0, file.GetBase(CXBlockFile::dirRead));
    EXPECT_EQ(100, file.GetCount(CXBlockFile::dirRead));
    EXPECT_EQ(0, file.GetCount(7));
    EXPECT_EQ(0, file.GetBase(7));
}

TEST(XBlockFileWrite, CountsAndChecksumsEveryByte)
{
    CScratchFiles files;
    const std::string name = files.Path("out.bin");
    const std::string data = PatternBytes(10000);
    CXBlockFile file;
    file.SetBlockSize(4096);
    file.OpenWrite(name.c_str());
    file.Write(data.data(), 6000);
    file.Write(data.data() + 6000, 4000);
    file.Close();
    EXPECT_EQ(data, CScratchFiles::Read(name));
    EXPECT_EQ(10000, file.GetCount(CXBlockFile::dirWrite));
    EXPECT_EQ(4096 - 10000 % 4096, file.GetBlockLeft(CXBlockFile::dirWrite));
    EXPECT_EQ(CXBlockFile::kMaxCount - 10000, file.GetRemaining(CXBlockFile::dirWrite));
    EXPECT_EQ(UpdateChecksumBytewise(0, data.data(), data.size()), file.GetCrc());
}

TEST(XBlockFileWrite, BytesBeyondTheLimitRaiseInsteadOfVanishing)
{
    CScratchFiles files;
    const std::string name = files.Path("out.bin");
    CRecordingFile file;
    file.SetLimit(4);
    file.OpenWrite(name.c_str());
    try {
        file.Write("abcdefgh", 8);
        ADD_FAILURE() << "the write went past the limit";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::genericException, e->m_cause);
        e->Delete();
    }
    file.Close();
    EXPECT_EQ("abcd", CScratchFiles::Read(name));
    EXPECT_EQ(1u, file.m_endCounts.size());
}

TEST(XBlockFileWrite, RawWriteIsNotCounted)
{
    CScratchFiles files;
    const std::string name = files.Path("out.bin");
    CXBlockFile file;
    file.OpenWrite(name.c_str());
    file.WriteRaw("abc", 3);
    file.Close();
    EXPECT_EQ("abc", CScratchFiles::Read(name));
    EXPECT_EQ(0, file.GetCount(CXBlockFile::dirWrite));
    EXPECT_EQ(0u, file.GetCrc());
}
