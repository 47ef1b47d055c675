#include "archive/MultiFile.h"

#include <algorithm>
#include <cstring>

#include "archive/ArchiveFormat.h"
#include "archive/MultiFileMember.h"
#include "archive/StoredCodec.h"
#include "archive/ZLibCodec.h"
#include "errors/MultiFileException.h"
#include "framework/Exception.h"
#include "support/FilePath.h"
#include "support/Mbcs.h"

IMPLEMENT_DYNAMIC(CMultiFile, CXBlockFile)

namespace {

// Makes a member the current one for the hooks while its data is read.
class CCurrentMember {
public:
    CCurrentMember(CMultiFileMember*& current, CMultiFileMember* member) : m_current(current)
    {
        m_current = member;
    }
    ~CCurrentMember() { m_current = nullptr; }
    CCurrentMember(const CCurrentMember&) = delete;
    CCurrentMember& operator=(const CCurrentMember&) = delete;

private:
    CMultiFileMember*& m_current;
};

} // namespace

CMultiFile::CMultiFile()
{
    m_nBlockSize = kBlockSize;
}

CMultiFile::~CMultiFile() = default;

void CMultiFile::Abort()
{
    if (m_pCodec != nullptr)
        m_pCodec->Abort();
}

void CMultiFile::OpenPiece(const char* fileName)
{
    OpenRead(fileName, true);
    uint8_t header[ArchiveFormat::kHeaderSize];
    unsigned got = 0;
    while (got < sizeof header) {
        const unsigned n = ReadRaw(header + got, static_cast<unsigned>(sizeof header - got));
        if (n == 0)
            AfxThrowFileException(CFileException::endOfFile, -1, fileName);
        got += n;
    }
    if (memcmp(header, ArchiveFormat::kHeaderTag, sizeof ArchiveFormat::kHeaderTag) != 0)
        throw new CMultiFileException(CMultiFileException::notArchive);
}

void CMultiFile::OpenArchive(const char* fileName)
{
    OpenPiece(fileName);
    m_nFirstEntryOffset = static_cast<uint32_t>(GetPosition());
}

bool CMultiFile::ReadNextEntry(CMultiFileMember& member, bool seek)
{
    if (member.m_nEntryOffset == 0)
        member.m_nEntryOffset = m_nFirstEntryOffset;
    if (seek)
        PassOverData(member);
    if (member.ReadRecord(*this) == 0) {
        member.m_nDataEnd = m_nReadCount;
        return false;
    }
    const uint32_t packed = member.GetPackedSize();
    member.m_nEntryOffset += static_cast<uint32_t>(ArchiveFormat::kRecordSize) + packed;
    member.m_nDataEnd = static_cast<int64_t>(m_nReadCount) + packed;
    return true;
}

void CMultiFile::PassOverData(CMultiFileMember& member)
{
    int64_t left = member.m_nDataEnd - m_nReadCount;
    if (left <= 0)
        return;
    CCurrentMember current(m_pMember, &member);
    unsigned char buffer[kBlockSize];
    while (left > 0) {
        const unsigned got =
            Read(buffer, static_cast<unsigned>(std::min<int64_t>(left, sizeof buffer)));
        if (got == 0)
            AfxThrowFileException(CFileException::endOfFile, -1, GetFilePath().c_str());
        left -= got;
    }
}

void CMultiFile::Extract(CMultiFileMember& member)
{
    member.OpenOutput();
    std::unique_ptr<CCodec> codec(CreateCodec(member.GetMethod(), member.GetMethodParameter()));
    if (!codec) {
        member.Abort();
        throw new CMultiFileException(CMultiFileException::unknownMethod);
    }

    bool aborted = false;
    try {
        m_pCodec = codec.get();
        CCurrentMember current(m_pMember, &member);
        codec->RunDecompress(this, &member, member.GetPackedSize(), member.GetUnpackedSize());
        // What the codec left of the packed data (a stream that ended before
        // its packed size, or reached the unpacked size before its check
        // value) is read past, so the next record is read at its place.
        if (!codec->IsAborted())
            PassOverData(member);
        aborted = codec->IsAborted();
    } catch (...) {
        m_pCodec = nullptr;
        // The destination is left closed, whatever it holds.
        member.Abort();
        throw;
    }
    codec.reset();
    m_pCodec = nullptr;

    member.ApplyFileStatus();
    if (aborted)
        AfxThrowUserException();
    // A checked member must match its record in checksum and in size: a
    // stream shorter than the record's unpacked size has the right checksum
    // for the bytes it gave, and is still not the file.
    const uint32_t crc = member.GetRecordCrc();
    if (crc != 0 && (crc != member.GetCrc() ||
                     static_cast<uint32_t>(member.GetCount(dirWrite)) != member.GetUnpackedSize()))
        throw new CMultiFileException(CMultiFileException::crcMismatch);
}

CMultiFileMember* CMultiFile::CreateMember()
{
    CMultiFileMember* member = new CMultiFileMember(this);
    member->SetEntryOffset(m_nFirstEntryOffset);
    return member;
}

CCodec* CMultiFile::CreateCodec(uint32_t method, uint32_t /*parameter*/)
{
    switch (method) {
    case ArchiveFormat::methodStored:
        return new CStoredCodec;
    case ArchiveFormat::methodZLib:
        return new CZLibCodec;
    default:
        return nullptr;
    }
}

std::string CMultiFile::NextPieceName(const char* fileName)
{
    std::string name;
    CFilePath(fileName).GetFileName(name);
    name = Mbcs::ToLower(name);
    if (name.empty() || static_cast<unsigned char>(name.back()) == 0xFF)
        return std::string();
    name.back() = static_cast<char>(static_cast<unsigned char>(name.back()) + 1);
    return name;
}
