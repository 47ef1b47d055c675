#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ArchiveBytes.h"
#include "archive/MultiFile.h"
#include "archive/MultiFileMember.h"
#include "archive/StoredCodec.h"
#include "archive/ZLibCodec.h"
#include "errors/MultiFileException.h"
#include "errors/ZLibException.h"
#include "unit/support/ScratchFiles.h"

using ArchiveBytes::Deflated;
using ArchiveBytes::Entry;
using ArchiveBytes::Header;
using ArchiveBytes::Stored;

namespace {

// What an operation ended in: "none", or the exception's class with its code.
std::string Describe(CException* e)
{
    std::string s = e->GetRuntimeClass()->m_lpszClassName;
    if (e->IsKindOf(RUNTIME_CLASS(CXException)))
        s += " " + std::to_string(static_cast<CXException*>(e)->m_nCode);
    else if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
        s += " " + std::to_string(static_cast<CFileException*>(e)->m_cause);
    return s;
}

template <typename F> std::string Outcome(F f)
{
    try {
        f();
    } catch (CException* e) {
        std::string s = Describe(e);
        e->Delete();
        return s;
    }
    return "none";
}

// The reader with the diskette hook's protocol, over pieces in one directory:
// at the end of a piece it closes it and, while the current member goes on,
// opens the next piece by name.
class CSpanningReader : public CMultiFile {
public:
    bool OnEndOfData() override
    {
        ++m_nEndOfData;
        const std::string piece = GetFilePath();
        Close();
        const CMultiFileMember* member = GetCurrentMember();
        m_continuedSeen.push_back(member != nullptr && member->IsContinued());
        if (member == nullptr || !member->IsContinued())
            return true;
        const std::string dir = piece.substr(0, piece.find_last_of("/\\") + 1);
        const std::string next = dir + NextPieceName(piece.c_str());
        CFileStatus status;
        if (!CStdioFile::GetStatus(next.c_str(), status))
            AfxThrowFileException(CFileException::fileNotFound, -1, next.c_str());
        OpenPiece(next.c_str());
        return false;
    }
    void OnBlockEnd() override
    {
        ++m_nBlocks;
        if (m_bAbortAtBlock)
            Abort();
    }
    int m_nEndOfData = 0;
    int m_nBlocks = 0;
    bool m_bAbortAtBlock = false;
    std::vector<bool> m_continuedSeen;
};

// Reads every member of the archive, extracting each into out/<name>
// (members for destination 0xFFFF are passed over with seek).
template <typename Reader>
std::string ExtractAll(Reader& reader, const CScratchFiles& files, const std::string& archive,
                       std::vector<std::string>* names = nullptr)
{
    return Outcome([&] {
        reader.OpenArchive(archive.c_str());
        std::unique_ptr<CMultiFileMember> member(reader.CreateMember());
        while (reader.ReadNextEntry(*member, true)) {
            if (names != nullptr)
                names->push_back(member->GetName());
            if (member->GetDestinationId() == 0xFFFF)
                continue;
            member->SetDestination(files.Path("out_" + member->GetName()).c_str());
            reader.Extract(*member);
        }
    });
}

} // namespace

TEST(MultiFileOpen, HeaderOnlyPieceHasNoMember)
{
    CScratchFiles files;
    const std::string archive = files.Write("a.arc", Header());
    CMultiFile reader;
    reader.OpenArchive(archive.c_str());
    EXPECT_EQ(8u, reader.GetFirstEntryOffset());
    EXPECT_EQ(CMultiFile::kBlockSize, reader.GetBlockSize());
    std::unique_ptr<CMultiFileMember> member(reader.CreateMember());
    EXPECT_EQ(8u, member->GetEntryOffset());
    EXPECT_FALSE(reader.ReadNextEntry(*member, false));
}

TEST(MultiFileRead, RecordFieldsAreDecodedAtTheirOffsets)
{
    CScratchFiles files;
    Entry e = Stored("dir\\saver.scr", "payload");
    e.mtime = 0x5A0B0C0D;
    e.method = 2;
    e.parameter = 0x01020304;
    e.dest = 0xFFFE;
    e.attributes = 0x0121;
    e.text = "some text";
    const std::string archive = files.Write("a.arc", Header() + e.Bytes());
    CMultiFile reader;
    reader.OpenArchive(archive.c_str());
    CMultiFileMember member(&reader);
    ASSERT_TRUE(reader.ReadNextEntry(member, false));
    EXPECT_EQ("dir\\saver.scr", member.GetName());
    EXPECT_EQ("some text", member.GetText());
    EXPECT_EQ(0x5A0B0C0Du, member.GetModificationTime());
    EXPECT_EQ(7u, member.GetUnpackedSize());
    EXPECT_EQ(7u, member.GetPackedSize());
    EXPECT_EQ(ArchiveBytes::Checksum("payload"), member.GetRecordCrc());
    EXPECT_EQ(2u, member.GetMethod());
    EXPECT_EQ(0x01020304u, member.GetMethodParameter());
    EXPECT_EQ(0xFFFE, member.GetDestinationId());
    EXPECT_EQ(0x0121, member.GetAttributes());
    EXPECT_FALSE(member.IsContinued());
    // Placed after the first entry: 8 + 346 + 7.
    EXPECT_EQ(8u + 346u + 7u, member.GetEntryOffset());
}

TEST(MultiFileMember, NewRecordCarriesTagVersionAndSize)
{
    CMultiFileMember member;
    const uint8_t* r = member.GetRecord();
    EXPECT_EQ(0, memcmp(r, "mfen", 4));
    EXPECT_EQ(1, r[4] | (r[5] << 8));
    EXPECT_EQ(346, r[6] | (r[7] << 8));
    EXPECT_FALSE(member.IsContinued());
    EXPECT_EQ(0u, member.GetEntryOffset());
}

TEST(MultiFileMember, DestinationKeepsAtMost260Characters)
{
    CMultiFileMember member;
    member.SetDestination(std::string(300, 'd').c_str());
    EXPECT_EQ(260u, member.GetDestination().size());
}

TEST(MultiFileMember, FillFromFileTakesTimeAttributesAndSize)
{
    CScratchFiles files;
    const std::string name = files.Write("plain.txt", PatternBytes(1234));
    CFileStatus status;
    ASSERT_TRUE(CStdioFile::GetStatus(name.c_str(), status));
    status.m_mtime = 1234567890;
    status.m_attribute = CStdioFile::readOnly;
    CStdioFile::SetStatus(name.c_str(), status);
    CMultiFileMember member;
    member.SetName(name.c_str());
    member.FillFromFile();
    EXPECT_EQ(1234567890u, member.GetModificationTime());
    EXPECT_EQ(1234u, member.GetUnpackedSize());
    EXPECT_EQ(CStdioFile::readOnly, member.GetAttributes() & CStdioFile::readOnly);

    CMultiFileMember missing;
    missing.SetName(files.Path("none").c_str());
    EXPECT_EQ("CFileException 2", Outcome([&] { missing.FillFromFile(); }));
}

TEST(MultiFileExtract, StoredAndDeflatedMembersWithTimeAndAttributes)
{
    CScratchFiles files;
    const std::string one = PatternBytes(10000, 1);
    const std::string two = PatternBytes(30000, 2) + std::string(30000, 'z');
    Entry a = Stored("one.bin", one);
    a.mtime = 1000000000;
    Entry b = Deflated("two.bin", two);
    b.mtime = 1100000000;
    b.attributes = CStdioFile::readOnly;
    const std::string archive = files.Write("a.arc", Header() + a.Bytes() + b.Bytes());
    CMultiFile reader;
    std::vector<std::string> names;
    EXPECT_EQ("none", ExtractAll(reader, files, archive, &names));
    EXPECT_EQ((std::vector<std::string>{"one.bin", "two.bin"}), names);
    EXPECT_EQ(one, CScratchFiles::Read(files.Path("out_one.bin")));
    EXPECT_EQ(two, CScratchFiles::Read(files.Path("out_two.bin")));
    CFileStatus status;
    ASSERT_TRUE(CStdioFile::GetStatus(files.Path("out_two.bin").c_str(), status));
    EXPECT_EQ(1100000000, static_cast<long long>(status.m_mtime));
    EXPECT_EQ(CStdioFile::readOnly, status.m_attribute & CStdioFile::readOnly);
    ASSERT_TRUE(CStdioFile::GetStatus(files.Path("out_one.bin").c_str(), status));
    EXPECT_EQ(1000000000, static_cast<long long>(status.m_mtime));
}

TEST(MultiFileExtract, ChecksumZeroIsNotChecked)
{
    CScratchFiles files;
    Entry e = Stored("x.bin", "whatever");
    e.crc = 0;
    const std::string archive = files.Write("a.arc", Header() + e.Bytes());
    CMultiFile reader;
    EXPECT_EQ("none", ExtractAll(reader, files, archive));
    EXPECT_EQ("whatever", CScratchFiles::Read(files.Path("out_x.bin")));
}

TEST(MultiFileExtract, EmptyStoredMemberGivesAnEmptyFile)
{
    CScratchFiles files;
    const std::string archive =
        files.Write("a.arc", Header() + Stored("e.bin", "").Bytes() + Stored("f.bin", "F").Bytes());
    CMultiFile reader;
    EXPECT_EQ("none", ExtractAll(reader, files, archive));
    EXPECT_EQ("", CScratchFiles::Read(files.Path("out_e.bin")));
    EXPECT_EQ("F", CScratchFiles::Read(files.Path("out_f.bin")));
}

TEST(MultiFileExtract, UnknownMethodLeavesAnEmptyClosedFile)
{
    CScratchFiles files;
    Entry e = Stored("m.bin", "data");
    e.method = 3;
    const std::string archive = files.Write("a.arc", Header() + e.Bytes());
    CMultiFile reader;
    reader.OpenArchive(archive.c_str());
    CMultiFileMember member(&reader);
    ASSERT_TRUE(reader.ReadNextEntry(member, false));
    member.SetDestination(files.Path("m.out").c_str());
    EXPECT_EQ("CMultiFileException 1", Outcome([&] { reader.Extract(member); }));
    EXPECT_FALSE(member.IsOpen());
    CFileStatus status;
    ASSERT_TRUE(CStdioFile::GetStatus(files.Path("m.out").c_str(), status));
    EXPECT_EQ(0u, status.m_size);
    EXPECT_EQ(nullptr, reader.GetCurrentCodec());
}

TEST(MultiFileExtract, CodecsByMethod)
{
    CMultiFile reader;
    std::unique_ptr<CCodec> stored(reader.CreateCodec(2, 0));
    std::unique_ptr<CCodec> zlib(reader.CreateCodec(4, 99));
    EXPECT_NE(nullptr, dynamic_cast<CStoredCodec*>(stored.get()));
    EXPECT_NE(nullptr, dynamic_cast<CZLibCodec*>(zlib.get()));
    for (uint32_t method : {0u, 1u, 3u, 5u, 0xFFFFFFFFu})
        EXPECT_EQ(nullptr, std::unique_ptr<CCodec>(reader.CreateCodec(method, 0)).get());
}

TEST(MultiFileExtract, BlockHookRunsEvery4096BytesOfPackedData)
{
    CScratchFiles files;
    const std::string archive =
        files.Write("a.arc", Header() + Stored("b.bin", PatternBytes(10000)).Bytes());
    CSpanningReader reader;
    EXPECT_EQ("none", ExtractAll(reader, files, archive));
    EXPECT_EQ(2, reader.m_nBlocks);
    EXPECT_EQ(0, reader.m_nEndOfData);
}

TEST(MultiFileExtract, AbortFinishesTheRunThenCancels)
{
    CScratchFiles files;
    const std::string data = PatternBytes(10000);
    const std::string archive =
        files.Write("a.arc", Header() + Stored("b.bin", data).Bytes() + Stored("c", "c").Bytes());
    CSpanningReader reader;
    reader.m_bAbortAtBlock = true;
    reader.OpenArchive(archive.c_str());
    CMultiFileMember member(&reader);
    ASSERT_TRUE(reader.ReadNextEntry(member, false));
    member.SetDestination(files.Path("b.out").c_str());
    EXPECT_EQ("CUserException", Outcome([&] { reader.Extract(member); }));
    EXPECT_FALSE(member.IsOpen());
    EXPECT_EQ(data, CScratchFiles::Read(files.Path("b.out")));
    // Abort with no codec at work does nothing, and leaves the archive open.
    reader.Abort();
    EXPECT_TRUE(reader.IsOpen());
}

TEST(MultiFileExtract, StreamEndingBeforeItsPackedSizeStillLandsOnTheNextRecord)
{
    CScratchFiles files;
    const std::string data = PatternBytes(5000);
    Entry a = Deflated("a.bin", data);
    a.packed += std::string(100, '\0'); // padding a writer may leave after the stream
    const std::string archive =
        files.Write("a.arc", Header() + a.Bytes() + Stored("b.bin", "bee").Bytes());
    CMultiFile reader;
    reader.OpenArchive(archive.c_str());
    CMultiFileMember member(&reader);
    ASSERT_TRUE(reader.ReadNextEntry(member, false));
    member.SetDestination(files.Path("a.out").c_str());
    reader.Extract(member);
    // Without seek: Extract has read past the rest.
    ASSERT_TRUE(reader.ReadNextEntry(member, false));
    EXPECT_EQ("b.bin", member.GetName());
}

TEST(MultiFileRead, SeekPassesOverMembersThatAreNotExtracted)
{
    CScratchFiles files;
    Entry skipped = Deflated("skip.bin", PatternBytes(20000));
    skipped.dest = 0xFFFF;
    const std::string archive =
        files.Write("a.arc", Header() + skipped.Bytes() + Stored("next.bin", "next").Bytes());
    CMultiFile reader;
    std::vector<std::string> names;
    EXPECT_EQ("none", ExtractAll(reader, files, archive, &names));
    EXPECT_EQ((std::vector<std::string>{"skip.bin", "next.bin"}), names);
    EXPECT_EQ("next", CScratchFiles::Read(files.Path("out_next.bin")));
}

TEST(MultiFilePieces, NextPieceName)
{
    EXPECT_EQ("data.z02", CMultiFile::NextPieceName("DATA.Z01"));
    EXPECT_EQ("data.a0:", CMultiFile::NextPieceName("DATA.A09"));
    EXPECT_EQ("saver.ard", CMultiFile::NextPieceName("A:\\DISK1\\SAVER.ARC"));
    EXPECT_EQ("saver.ard", CMultiFile::NextPieceName("/mnt/disk/SAVER.ARC"));
    EXPECT_EQ("", CMultiFile::NextPieceName(""));
    EXPECT_EQ("", CMultiFile::NextPieceName("bad\xFF"));
}

namespace {

// An archive cut into pieces in files.Dir(): piece i holds parts[i].
std::string WritePieces(const CScratchFiles& files, const std::vector<std::string>& parts)
{
    std::string name = "DATA.Z01";
    std::string first;
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string path = files.Write(name, Header() + parts[i]);
        if (i == 0)
            first = path;
        name = CMultiFile::NextPieceName(name.c_str());
    }
    return first;
}

} // namespace

TEST(MultiFilePieces, DeflatedMemberSpansThreePieces)
{
    CScratchFiles files;
    const std::string data = PatternBytes(60000);
    Entry big = Deflated("big.bin", data);
    big.continued = 1;
    const std::string bytes = big.Bytes();
    // Record and some data, more data, the rest and the next member.
    const std::string archive =
        WritePieces(files, {bytes.substr(0, 20000), bytes.substr(20000, 25000),
                            bytes.substr(45000) + Stored("after.txt", "after").Bytes()});
    CSpanningReader reader;
    std::vector<std::string> names;
    EXPECT_EQ("none", ExtractAll(reader, files, archive, &names));
    EXPECT_EQ((std::vector<std::string>{"big.bin", "after.txt"}), names);
    EXPECT_EQ(data, CScratchFiles::Read(files.Path("out_big.bin")));
    EXPECT_EQ("after", CScratchFiles::Read(files.Path("out_after.txt")));
    EXPECT_EQ(2, reader.m_nEndOfData);
}

TEST(MultiFilePieces, DataEndingExactlyAtThePieceEndNeedsNoNextPiece)
{
    CScratchFiles files;
    const std::string data = PatternBytes(5000);
    const std::string archive = WritePieces(files, {Deflated("d.bin", data).Bytes()});
    CSpanningReader reader;
    EXPECT_EQ("none", ExtractAll(reader, files, archive));
    EXPECT_EQ(data, CScratchFiles::Read(files.Path("out_d.bin")));
    // Reading the next record found the end: no piece was asked for.
    EXPECT_EQ(0, reader.m_nEndOfData);
}

TEST(MultiFilePieces, DeflatedDataCutExactlyAtThePieceEnd)
{
    CScratchFiles files;
    const std::string data = PatternBytes(9000);
    Entry e = Deflated("d.bin", data);
    e.continued = 1;
    // The first piece ends right after the record: all the data is in the second.
    const std::string archive =
        WritePieces(files, {e.Record(), e.packed + Stored("n.bin", "n").Bytes()});
    CSpanningReader reader;
    EXPECT_EQ("none", ExtractAll(reader, files, archive));
    EXPECT_EQ(data, CScratchFiles::Read(files.Path("out_d.bin")));
    EXPECT_EQ("n", CScratchFiles::Read(files.Path("out_n.bin")));
}

TEST(MultiFilePieces, PassingOverLandsOnTheNextRecordAfterAChangeOfPiece)
{
    CScratchFiles files;
    Entry skipped = Stored("skip.bin", PatternBytes(30000));
    skipped.dest = 0xFFFF;
    skipped.continued = 1;
    const std::string bytes = skipped.Bytes();
    const std::string archive = WritePieces(
        files, {Stored("first.bin", "1st").Bytes() + bytes.substr(0, 10000),
                bytes.substr(10000, 10000), bytes.substr(20000) + Stored("last.bin", "L").Bytes()});
    CSpanningReader reader;
    std::vector<std::string> names;
    EXPECT_EQ("none", ExtractAll(reader, files, archive, &names));
    EXPECT_EQ((std::vector<std::string>{"first.bin", "skip.bin", "last.bin"}), names);
    EXPECT_EQ("L", CScratchFiles::Read(files.Path("out_last.bin")));
    // The hook saw the skipped member's continued flag at each change.
    EXPECT_EQ((std::vector<bool>{true, true}), reader.m_continuedSeen);
}

TEST(MultiFilePieces, ContinuedFlagOnTheLastPieceNamesTheMissingPiece)
{
    CScratchFiles files;
    Entry e = Stored("c.bin", PatternBytes(1000));
    e.continued = 1;
    const std::string archive = WritePieces(files, {e.Bytes().substr(0, 346 + 500)});
    CSpanningReader reader;
    EXPECT_EQ("CFileException 2", ExtractAll(reader, files, archive));
}

TEST(MultiFilePieces, NoDataAfterTheHookAnsweredStop)
{
    CScratchFiles files;
    // Not continued, but cut: the hook closes the piece and answers stop.
    const std::string archive =
        WritePieces(files, {Deflated("c.bin", PatternBytes(30000)).Bytes().substr(0, 2000)});
    CSpanningReader reader;
    EXPECT_EQ("CZLibException 4", ExtractAll(reader, files, archive));
    EXPECT_FALSE(reader.IsOpen());
    char buffer[16];
    EXPECT_EQ(0u, reader.Read(buffer, sizeof buffer));
}

// The damaged archives: each a single piece built as bytes, read member by
// member and extracted, and what it ends in.
struct DamagedArchive {
    const char* title;
    std::string bytes;
    const char* outcome;
};

class MultiFileDamage : public ::testing::TestWithParam<DamagedArchive> {};

TEST_P(MultiFileDamage, EndsInItsException)
{
    CScratchFiles files;
    const std::string archive = files.Write("damaged.arc", GetParam().bytes);
    CSpanningReader reader;
    EXPECT_EQ(GetParam().outcome, ExtractAll(reader, files, archive)) << GetParam().title;
}

namespace {

std::vector<DamagedArchive> DamagedArchives()
{
    const std::string data = PatternBytes(20000) + std::string(20000, 'q');
    const Entry good = Deflated("good.bin", data);
    std::vector<DamagedArchive> cases;
    cases.push_back({"piece shorter than its header", "mflh\0\0", "CFileException 14"});
    cases.push_back({"empty piece", "", "CFileException 14"});
    for (int i = 0; i < 4; ++i) {
        std::string h = Header();
        h[i] = static_cast<char>(h[i] ^ 0x20);
        cases.push_back({"header tag", h + good.Bytes(), "CMultiFileException 2"});
        // Upper case in one place: "Mfen", "mFen", "mfEn", "mfeN".
        std::string r = good.Bytes();
        r[i] = static_cast<char>(r[i] ^ 0x20);
        cases.push_back({"record tag", Header() + r, "CMultiFileException 3"});
    }
    cases.push_back(
        {"record cut short", Header() + good.Bytes() + good.Record().substr(0, 100), "none"});
    for (uint32_t method : {0u, 1u, 3u, 5u, 0xFFFFFFFFu}) {
        Entry e = good;
        e.method = method;
        cases.push_back({"unknown method", Header() + e.Bytes(), "CMultiFileException 1"});
    }
    {
        Entry e = good;
        for (size_t i = 20; i < 60; ++i)
            e.packed[i] = static_cast<char>(e.packed[i] ^ 0xA5);
        cases.push_back({"corrupted deflate block", Header() + e.Bytes(), "CZLibException 3"});
    }
    {
        Entry e = good;
        e.packedSize = static_cast<int64_t>(e.packed.size() / 2);
        cases.push_back({"packed size too small", Header() + e.Bytes(), "CZLibException 4"});
    }
    {
        Entry e = good;
        e.packedSize = 0xFFFFFFFF;
        cases.push_back({"packed size absurdly large", Header() + e.Bytes(), "CFileException 14"});
        Entry s = Stored("s.bin", "short");
        s.packedSize = 0xFFFFFFFF;
        cases.push_back(
            {"stored packed size absurdly large", Header() + s.Bytes(), "CFileException 14"});
    }
    {
        Entry e = good;
        e.unpacked = static_cast<uint32_t>(data.size() + 1000);
        cases.push_back({"unpacked size too large", Header() + e.Bytes(), "CMultiFileException 5"});
        e.unpacked = static_cast<uint32_t>(data.size() - 1000);
        cases.push_back({"unpacked size too small", Header() + e.Bytes(), "CMultiFileException 5"});
    }
    {
        Entry e = good;
        e.crc ^= 1;
        cases.push_back({"checksum differs", Header() + e.Bytes(), "CMultiFileException 5"});
    }
    {
        Entry e = good;
        e.name = std::string(260, 'n');
        cases.push_back({"name without zero", Header() + e.Bytes(), "CMultiFileException 4"});
        Entry t = good;
        t.text = std::string(40, 't');
        cases.push_back({"text without zero", Header() + t.Bytes(), "CMultiFileException 4"});
    }
    {
        Entry e = good;
        e.continued = 1;
        cases.push_back({"continued flag on the last piece",
                         Header() + e.Bytes().substr(0, 346 + 1000), "CFileException 2"});
    }
    {
        Entry s = Stored("s.bin", PatternBytes(5000));
        cases.push_back({"stored data cut short", Header() + s.Bytes().substr(0, 346 + 3000),
                         "CFileException 14"});
    }
    return cases;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Table, MultiFileDamage, ::testing::ValuesIn(DamagedArchives()));

TEST(MultiFileOpen, OpeningAgainClosesThePreviousPiece)
{
    CScratchFiles files;
    const std::string a = files.Write("a.arc", Header() + Stored("a.txt", "A").Bytes());
    const std::string b = files.Write("b.arc", Header() + Stored("b.txt", "B").Bytes());
    CMultiFile reader;
    reader.OpenArchive(a.c_str());
    // The reader's Abort stops a codec and never closes: opening again must
    // still close the first piece (the leak checker would see it otherwise).
    reader.OpenArchive(b.c_str());
    CMultiFileMember member(&reader);
    ASSERT_TRUE(reader.ReadNextEntry(member, false));
    EXPECT_EQ("b.txt", member.GetName());
}
