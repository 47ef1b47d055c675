#include <gtest/gtest.h>
#include <zlib.h>

#include <cerrno>
#include <string>
#include <vector>

#include "ArchiveBytes.h"
#include "archive/StoredCodec.h"
#include "archive/ZLibCodec.h"
#include "errors/ZLibException.h"
#include "support/XBlockFile.h"
#include "unit/support/ScratchFiles.h"

namespace {

// Records the sizes of the requests that reach it.
class CRecordingFile : public CXBlockFile {
public:
    unsigned Read(void* buffer, unsigned count) override
    {
        m_reads.push_back(count);
        return CXBlockFile::Read(buffer, count);
    }
    void Write(const void* buffer, unsigned count) override
    {
        m_writes.push_back(count);
        CXBlockFile::Write(buffer, count);
    }
    std::vector<unsigned> m_reads;
    std::vector<unsigned> m_writes;
};

struct Outcome {
    std::string kind; // class name, or "none"
    int code = 0;
};

template <typename F> Outcome Capture(F f)
{
    try {
        f();
    } catch (CException* e) {
        Outcome o{e->GetRuntimeClass()->m_lpszClassName, 0};
        if (e->IsKindOf(RUNTIME_CLASS(CXException)))
            o.code = static_cast<CXException*>(e)->m_nCode;
        else if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
            o.code = static_cast<CFileException*>(e)->m_cause;
        e->Delete();
        return o;
    }
    return Outcome{"none", 0};
}

// Decompresses packed (claiming packedSize bytes) with the codec into a file;
// returns the outcome and, in out, what was written.
Outcome Decompress(CCodec& codec, const std::string& packed, uint32_t packedSize, uint32_t unpacked,
                   std::string& out, CRecordingFile* source = nullptr,
                   CRecordingFile* destination = nullptr)
{
    CScratchFiles files;
    const std::string in = files.Write("packed", packed);
    CRecordingFile ownSource, ownDestination;
    CRecordingFile& s = source != nullptr ? *source : ownSource;
    CRecordingFile& d = destination != nullptr ? *destination : ownDestination;
    s.OpenRead(in.c_str());
    d.OpenWrite(files.Path("unpacked").c_str());
    Outcome o = Capture([&] { codec.RunDecompress(&s, &d, packedSize, unpacked); });
    d.Close();
    out = CScratchFiles::Read(files.Path("unpacked"));
    return o;
}

} // namespace

TEST(StoredCodec, CopiesInPiecesOfAtMost16384)
{
    const std::string data = PatternBytes(40000);
    CStoredCodec codec;
    CRecordingFile source, destination;
    std::string out;
    Outcome o = Decompress(codec, data, 40000, 0, out, &source, &destination);
    EXPECT_EQ("none", o.kind);
    EXPECT_EQ(data, out);
    EXPECT_EQ((std::vector<unsigned>{16384, 16384, 7232}), source.m_reads);
    EXPECT_EQ((std::vector<unsigned>{16384, 16384, 7232}), destination.m_writes);
}

TEST(StoredCodec, DataEndingEarlyIsEndOfFile)
{
    CStoredCodec codec;
    std::string out;
    Outcome o = Decompress(codec, PatternBytes(100), 200, 200, out);
    EXPECT_EQ("CFileException", o.kind);
    EXPECT_EQ(CFileException::endOfFile, o.code);
    EXPECT_EQ(100u, out.size());
}

TEST(StoredCodec, NothingToCopyWritesNothing)
{
    CStoredCodec codec;
    CRecordingFile source;
    std::string out;
    EXPECT_EQ("none", Decompress(codec, "unused", 0, 0, out, &source).kind);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(source.m_reads.empty());
}

TEST(ZLibCodec, InflatesThroughBuffersOf4096)
{
    const std::string data = PatternBytes(50000) + std::string(50000, 'x');
    const std::string packed = ArchiveBytes::Deflate(data);
    CZLibCodec codec;
    CRecordingFile source, destination;
    std::string out;
    Outcome o = Decompress(codec, packed, static_cast<uint32_t>(packed.size()), 100000, out,
                           &source, &destination);
    EXPECT_EQ("none", o.kind);
    EXPECT_EQ(data, out);
    unsigned read = 0;
    for (unsigned n : source.m_reads) {
        EXPECT_LE(n, 4096u);
        read += n;
    }
    EXPECT_EQ(packed.size(), read);
    for (unsigned n : destination.m_writes)
        EXPECT_LE(n, 4096u);
    EXPECT_EQ(ArchiveBytes::Checksum(data), destination.GetCrc());
}

TEST(ZLibCodec, NeverReadsPastThePackedSize)
{
    const std::string data = PatternBytes(10000);
    const std::string packed = ArchiveBytes::Deflate(data);
    // The next entry follows the packed data; the codec must not touch it.
    CZLibCodec codec;
    CRecordingFile source;
    std::string out;
    Decompress(codec, packed + std::string(5000, 'N'), static_cast<uint32_t>(packed.size()), 10000,
               out, &source);
    EXPECT_EQ(packed.size(), static_cast<size_t>(source.GetCount(CXBlockFile::dirRead)));
    EXPECT_EQ(data, out);
}

TEST(ZLibCodec, UnpackedSizeZeroReadsNothing)
{
    CZLibCodec codec;
    CRecordingFile source;
    std::string out;
    const std::string packed = ArchiveBytes::Deflate("some data");
    EXPECT_EQ(
        "none",
        Decompress(codec, packed, static_cast<uint32_t>(packed.size()), 0, out, &source).kind);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(source.m_reads.empty());
}

TEST(ZLibCodec, OutputStopsAtTheUnpackedSize)
{
    const std::string data = PatternBytes(20000);
    const std::string packed = ArchiveBytes::Deflate(data);
    CZLibCodec codec;
    std::string out;
    EXPECT_EQ("none",
              Decompress(codec, packed, static_cast<uint32_t>(packed.size()), 5000, out).kind);
    EXPECT_EQ(data.substr(0, 5000), out);
}

TEST(ZLibCodec, DamagedStreams)
{
    const std::string data = PatternBytes(20000);
    const std::string packed = ArchiveBytes::Deflate(data);
    std::string corrupt = packed;
    for (size_t i = 10; i < 40; ++i)
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x55);
    std::string out;
    {
        CZLibCodec codec;
        Outcome o = Decompress(codec, corrupt, static_cast<uint32_t>(corrupt.size()), 20000, out);
        EXPECT_EQ("CZLibException", o.kind);
        EXPECT_EQ(CZLibException::dataError, o.code);
    }
    {
        // Packed size too small: the data runs out before the stream ends.
        CZLibCodec codec;
        Outcome o = Decompress(codec, packed, static_cast<uint32_t>(packed.size() / 2), 20000, out);
        EXPECT_EQ("CZLibException", o.kind);
        EXPECT_EQ(CZLibException::bufferError, o.code);
    }
    {
        CZLibCodec codec;
        Outcome o = Decompress(codec, "not a zlib stream at all", 24, 100, out);
        EXPECT_EQ("CZLibException", o.kind);
        EXPECT_EQ(CZLibException::dataError, o.code);
    }
}

TEST(ZLibCodec, CompressGivesAZLibStreamThatInflatesBack)
{
    CScratchFiles files;
    const std::string data = PatternBytes(30000) + std::string(30000, 'a');
    const std::string in = files.Write("plain", data);
    CXBlockFile source, destination;
    source.OpenRead(in.c_str());
    destination.OpenWrite(files.Path("packed").c_str());
    CZLibCodec codec;
    codec.RunCompress(&source, &destination);
    destination.Close();
    const std::string packed = CScratchFiles::Read(files.Path("packed"));
    // Read back with zlib itself.
    std::string back(data.size(), '\0');
    uLongf size = static_cast<uLongf>(back.size());
    ASSERT_EQ(Z_OK, uncompress(reinterpret_cast<Bytef*>(&back[0]), &size,
                               reinterpret_cast<const Bytef*>(packed.data()),
                               static_cast<uLong>(packed.size())));
    EXPECT_EQ(data, back);
    EXPECT_EQ(ArchiveBytes::Checksum(data), source.GetCrc());
    EXPECT_EQ(static_cast<int32_t>(packed.size()), destination.GetCount(CXBlockFile::dirWrite));
}

TEST(StoredCodec, CompressCopiesTheSource)
{
    CScratchFiles files;
    const std::string data = PatternBytes(40000);
    const std::string in = files.Write("plain", data);
    CXBlockFile source, destination;
    source.OpenRead(in.c_str());
    destination.OpenWrite(files.Path("packed").c_str());
    CStoredCodec codec;
    codec.RunCompress(&source, &destination);
    destination.Close();
    EXPECT_EQ(data, CScratchFiles::Read(files.Path("packed")));
}

TEST(CheckZLibResult, MapsEveryResult)
{
    EXPECT_EQ("none", Capture([] { CZLibCodec::CheckZLibResult(Z_OK); }).kind);
    EXPECT_EQ("none", Capture([] { CZLibCodec::CheckZLibResult(Z_STREAM_END); }).kind);
    Outcome o = Capture([] {
        errno = ENOSPC;
        CZLibCodec::CheckZLibResult(Z_ERRNO);
    });
    EXPECT_EQ("CFileException", o.kind);
    EXPECT_EQ(CFileException::diskFull, o.code);
    o = Capture([] { CZLibCodec::CheckZLibResult(Z_STREAM_ERROR); });
    EXPECT_EQ("CZLibException", o.kind);
    EXPECT_EQ(2, o.code);
    o = Capture([] { CZLibCodec::CheckZLibResult(Z_DATA_ERROR); });
    EXPECT_EQ("CZLibException", o.kind);
    EXPECT_EQ(3, o.code);
    EXPECT_EQ("CMemoryException", Capture([] { CZLibCodec::CheckZLibResult(Z_MEM_ERROR); }).kind);
    o = Capture([] { CZLibCodec::CheckZLibResult(Z_BUF_ERROR); });
    EXPECT_EQ("CZLibException", o.kind);
    EXPECT_EQ(4, o.code);
    for (int other : {Z_NEED_DICT, Z_VERSION_ERROR, 7, -100}) {
        o = Capture([other] { CZLibCodec::CheckZLibResult(other); });
        EXPECT_EQ("CZLibException", o.kind) << other;
        EXPECT_EQ(1, o.code) << other;
    }
}

TEST(Codec, AbortIsClearedByTheNextRun)
{
    CStoredCodec codec;
    codec.Abort();
    EXPECT_TRUE(codec.IsAborted());
    std::string out;
    Decompress(codec, "abc", 3, 3, out);
    EXPECT_FALSE(codec.IsAborted());
    EXPECT_EQ("abc", out);
}
