#include <gtest/gtest.h>
#include <zlib.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "ArchiveBytes.h"
#include "archive/MultiFile.h"
#include "archive/MultiFileMember.h"
#include "archive/ZLibCodec.h"
#include "common/ScratchDirectory.h"
#include "unit/support/FileFailure.h"

namespace {

// The reader with the diskette hook's protocol, over pieces in one directory:
// at the end of a piece it closes it and, while the current member goes on,
// opens the next piece by name (a missing one raises fileNotFound).
class CSpanningReader : public CMultiFile {
public:
    bool OnEndOfData() override
    {
        const std::string piece = GetFilePath();
        Close();
        const CMultiFileMember* member = GetCurrentMember();
        m_continuedSeen.push_back(member != nullptr && member->IsContinued());
        if (!m_continuedSeen.back())
            return true;
        OpenPiece((piece.substr(0, piece.find_last_of("/\\") + 1) + NextPieceName(piece.c_str()))
                      .c_str());
        return false;
    }
    void OnBlockEnd() override
    {
        ++m_nBlocks;
        if (m_bAbortAtBlock)
            Abort();
    }
    int m_nBlocks = 0;
    bool m_bAbortAtBlock = false;
    std::vector<bool> m_continuedSeen; // one per OnEndOfData
};

class MultiFileTest : public ::testing::Test {
protected:
    // Reads every member, extracting each into out_<name>. Members for
    // destination 0xFFFF are passed over as the copy engine does: the record
    // after one is read with seek; after an extraction, without.
    std::string ExtractAll(const std::string& archive, CMultiFile& reader)
    {
        return Outcome([&] {
            reader.OpenArchive(archive.c_str());
            m_member.reset(reader.CreateMember());
            bool seek = false;
            while (reader.ReadNextEntry(*m_member, seek)) {
                m_names.push_back(m_member->GetName());
                seek = m_member->GetDestinationId() == 0xFFFF;
                if (!seek) {
                    m_member->SetDestination(m_files.File("out_" + m_member->GetName()).c_str());
                    reader.Extract(*m_member);
                }
            }
        });
    }
    std::string ExtractAll(const std::string& archive) { return ExtractAll(archive, m_reader); }
    std::string Out(const std::string& name) { return ReadWholeFile(m_files.File(name)); }
    CFileStatus Status(const std::string& name)
    {
        CFileStatus status{};
        EXPECT_TRUE(CStdioFile::GetStatus(m_files.File(name).c_str(), status)) << name;
        return status;
    }
    // An archive cut into pieces DATA.Z01, data.z02..., each with its header.
    std::string Pieces(const std::vector<std::string>& parts)
    {
        std::string name = "DATA.Z01";
        for (const std::string& part : parts) {
            m_files.WriteFile(name, kHeader + part);
            name = CMultiFile::NextPieceName(name.c_str());
        }
        return m_files.File("DATA.Z01");
    }

    CScratchDirectory m_files;
    CSpanningReader m_reader;
    std::unique_ptr<CMultiFileMember> m_member;
    std::vector<std::string> m_names;
};

} // namespace

TEST_F(MultiFileTest, MembersGetTheirDataTimeAndAttributesAndTheNextRecordItsPlace)
{
    const std::string one = Payload(10000, 1), two = Payload(30000, 2) + "zzzz";
    Entry a = Stored("one.bin", one);
    a.mtime = 1000000000;
    a.crc = 0; // not checked
    Entry skipped = Deflated("skip.bin", Payload(20000, 1));
    skipped.dest = 0xFFFF;
    Entry b = Deflated("two.bin", two);
    b.mtime = 1100000000;
    b.attributes = CStdioFile::readOnly;
    b.packed += std::string(5000, '\0'); // padding a writer may leave after the stream
    EXPECT_EQ("none", ExtractAll(Pieces({a.Bytes() + skipped.Bytes() + b.Bytes() +
                                         Stored("e.bin", "").Bytes()})));
    EXPECT_EQ((std::vector<std::string>{"one.bin", "skip.bin", "two.bin", "e.bin"}), m_names);
    EXPECT_EQ(one, Out("out_one.bin"));
    EXPECT_EQ(two, Out("out_two.bin"));
    EXPECT_EQ("", Out("out_e.bin"));
    EXPECT_EQ(1000000000, static_cast<long long>(Status("out_one.bin").m_mtime));
    EXPECT_EQ(1100000000, static_cast<long long>(Status("out_two.bin").m_mtime));
    EXPECT_EQ(CStdioFile::readOnly, Status("out_two.bin").m_attribute & CStdioFile::readOnly);
    // A time of 0 leaves the file's own time.
    EXPECT_GT(static_cast<long long>(Status("out_e.bin").m_mtime), 1100000000);
}

TEST_F(MultiFileTest, BlockHookPer4096BytesOfDataAndAbortFinishesTheRunThenCancels)
{
    // Header and record are not counted: 8000 bytes of data make one block.
    const std::string data = Payload(8000, 1);
    m_reader.m_bAbortAtBlock = true;
    EXPECT_EQ("CUserException", ExtractAll(Pieces({Stored("b.bin", data).Bytes()})));
    EXPECT_FALSE(m_member->IsOpen());
    EXPECT_EQ(data, Out("out_b.bin"));
    EXPECT_EQ(1, m_reader.m_nBlocks);
    EXPECT_TRUE(m_reader.m_continuedSeen.empty());
    // Abort with no codec at work does nothing, and leaves the archive open.
    m_reader.Abort();
    EXPECT_TRUE(m_reader.IsOpen());
}

TEST(MultiFilePieces, NextPieceName)
{
    EXPECT_EQ("data.z02", CMultiFile::NextPieceName("DATA.Z01"));
    EXPECT_EQ("data.a0:", CMultiFile::NextPieceName("DATA.A09"));
    EXPECT_EQ("saver.ard", CMultiFile::NextPieceName("A:\\DISK1\\SAVER.ARC"));
    EXPECT_EQ("", CMultiFile::NextPieceName(""));
    EXPECT_EQ("", CMultiFile::NextPieceName("bad\xFF"));
}

TEST_F(MultiFileTest, MembersSpanPiecesWhetherExtractedOrPassedOver)
{
    Entry skipped = Stored("skip.bin", Payload(30000, 1));
    skipped.dest = 0xFFFF;
    skipped.continued = 1;
    const std::string data = Payload(60000, 1), skip = skipped.Bytes();
    Entry big = Deflated("big.bin", data);
    big.continued = 1;
    // Passing over lands on the next record after two changes of piece; a
    // record alone ends a piece; the data ends exactly at the last piece's end.
    EXPECT_EQ("none",
              ExtractAll(Pieces({Stored("first.bin", "1st").Bytes() + skip.substr(0, 10000),
                                 skip.substr(10000, 10000), skip.substr(20000) + big.Record(),
                                 big.packed.substr(0, 20000),
                                 big.packed.substr(20000) + Stored("last.txt", "L").Bytes()})));
    EXPECT_EQ((std::vector<std::string>{"first.bin", "skip.bin", "big.bin", "last.txt"}), m_names);
    EXPECT_EQ(data, Out("out_big.bin"));
    EXPECT_EQ("L", Out("out_last.txt"));
    // The hook saw a continued member at each change, and was not called at the end.
    EXPECT_EQ(std::vector<bool>(4, true), m_reader.m_continuedSeen);
}

// Each damaged archive, one piece built as bytes, read and extracted whole.
TEST_F(MultiFileTest, DamagedArchivesEndInTheirExceptions)
{
    // 40960 bytes: the byte after the name field, the size's lowest, is zero.
    const Entry good = Deflated("good.bin", Payload(20480, 1) + std::string(20480, 'q'));
    auto with = [&good](auto change) {
        Entry e = good;
        change(e);
        return kHeader + e.Bytes();
    };
    Entry huge = Stored("s.bin", "short");
    huge.packedSize = 0xFFFFFFFF;
    std::vector<std::vector<std::string>> table = {
        {"piece shorter than its header", kHeader.substr(0, 6), "CFileException 14"},
        {"header alone", kHeader, "none"},
        {"record cut short", kHeader + good.Bytes() + good.Record().substr(0, 100), "none"},
        {"corrupted deflate block",
         with([](Entry& e) { e.packed.replace(20, 40, Payload(40, 1)); }), "CZLibException 3"},
        {"packed size too small", with([](Entry& e) { e.packedSize = e.packed.size() / 2; }),
         "CZLibException 4"},
        {"packed size absurdly large", with([](Entry& e) { e.packedSize = 0xFFFFFFFF; }),
         "CFileException 14"},
        {"stored, packed size absurdly large", kHeader + huge.Bytes(), "CFileException 14"},
        {"unpacked size too large", with([](Entry& e) { e.unpacked += 1000; }),
         "CMultiFileException 5"},
        {"unpacked size too small", with([](Entry& e) { e.unpacked -= 1000; }),
         "CMultiFileException 5"},
        {"checksum differs", with([](Entry& e) { e.crc ^= 1; }), "CMultiFileException 5"},
        {"name without zero", with([](Entry& e) { e.name.assign(260, 'n'); }),
         "CMultiFileException 4"},
        {"text without zero", with([](Entry& e) { e.text.assign(40, 't'); }),
         "CMultiFileException 4"},
        {"continued flag on the last piece",
         with([](Entry& e) { e.continued = 1; }).substr(0, 8 + 346 + 1000), "CFileException 2"},
        {"stored data cut short",
         (kHeader + Stored("s.bin", Payload(5000, 1)).Bytes()).substr(0, 8 + 346 + 3000),
         "CFileException 14"},
    };
    for (uint32_t method : {0u, 1u, 3u, 5u, 0xFFFFFFFFu})
        table.push_back({"unknown method", with([=](Entry& e) { e.method = method; }),
                         "CMultiFileException 1"});
    // A wrong tag in any of the four bytes: "Mflh"... and "Mfen"...
    for (int i = 0; i < 4; ++i) {
        std::string bytes = kHeader + good.Bytes();
        bytes[i] ^= 0x20;
        table.push_back({"header tag", bytes, "CMultiFileException 2"});
        bytes[i] ^= 0x20;
        bytes[8 + i] ^= 0x20;
        table.push_back({"record tag", bytes, "CMultiFileException 3"});
    }
    for (const auto& row : table) {
        CSpanningReader reader;
        EXPECT_EQ(row[2], ExtractAll(m_files.WriteFile("damaged.arc", row[1]), reader)) << row[0];
        // No codec left behind, no output left open (an unknown method's stays empty).
        EXPECT_EQ(nullptr, reader.GetCurrentCodec()) << row[0];
        EXPECT_TRUE(m_member == nullptr || !m_member->IsOpen()) << row[0];
        m_member.reset();
    }
}

TEST(CheckZLibResult, MapsEveryResult)
{
    std::string outcomes;
    for (int result : {Z_OK, Z_STREAM_END, Z_ERRNO, Z_STREAM_ERROR, Z_DATA_ERROR, Z_MEM_ERROR,
                       Z_BUF_ERROR, Z_NEED_DICT, Z_VERSION_ERROR, 7, -100}) {
        errno = ENOSPC; // what Z_ERRNO leaves to errno
        outcomes += Outcome([&] { CZLibCodec::CheckZLibResult(result); }) + "; ";
    }
    EXPECT_EQ("none; none; CFileException 13; CZLibException 2; CZLibException 3; "
              "CMemoryException; CZLibException 4; CZLibException 1; CZLibException 1; "
              "CZLibException 1; CZLibException 1; ",
              outcomes);
}

TEST(ZLibCodec, ACompressRunThatFailsStillEndsItsStream)
{
    // A source that fails on its first read, as a directory given to mkarc
    // does: the deflate state the run began must be ended with the codec (the
    // native build's leak checker finds it otherwise).
    class CFailingSource : public CXBlockFile {
    public:
        unsigned Read(void*, unsigned) override { AfxThrowFileException(CFileException::hardIO); }
    };
    CScratchDirectory files;
    CFailingSource source;
    CXBlockFile packed;
    packed.OpenWrite(files.File("packed").c_str(), true);
    CZLibCodec codec;
    EXPECT_EQ(Outcome([&] { codec.RunCompress(&source, &packed); }),
              "CFileException " + std::to_string(CFileException::hardIO));
}
