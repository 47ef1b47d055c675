#include "archive/MultiFileMember.h"

#include <cstring>

#include "archive/MultiFile.h"
#include "errors/MultiFileException.h"

using namespace ArchiveFormat;

IMPLEMENT_DYNAMIC(CMultiFileMember, CXBlockFile)

CMultiFileMember::CMultiFileMember(CMultiFile* pArchive) : m_pArchive(pArchive)
{
    memset(m_record, 0, sizeof m_record);
    memcpy(m_record + kTagOffset, kRecordTag, sizeof kRecordTag);
    PutLE16(m_record + kVersionOffset, kRecordVersion);
    PutLE16(m_record + kRecordSizeOffset, static_cast<uint16_t>(kRecordSize));
}

bool CMultiFileMember::CopyField(size_t offset, size_t size, std::string& out) const
{
    const uint8_t* field = m_record + offset;
    const void* zero = memchr(field, 0, size);
    if (zero == nullptr)
        return false;
    out.assign(reinterpret_cast<const char*>(field), static_cast<const uint8_t*>(zero) - field);
    return true;
}

unsigned CMultiFileMember::ReadRecord(CMultiFile& archive)
{
    uint8_t record[kRecordSize];
    unsigned got = 0;
    // A stdio read may come back short before the end; only 0 means the end.
    while (got < kRecordSize) {
        const unsigned n = archive.ReadRaw(record + got, static_cast<unsigned>(kRecordSize - got));
        if (n == 0)
            break;
        got += n;
    }
    if (got < kRecordSize)
        return 0;
    if (memcmp(record + kTagOffset, kRecordTag, sizeof kRecordTag) != 0)
        throw new CMultiFileException(CMultiFileException::noEntryHeader);
    memcpy(m_record, record, kRecordSize);
    // The fields are zero-terminated; one without its zero is damage, and
    // reading on would run past the record.
    if (!CopyField(kNameOffset, kNameSize, m_strName) ||
        !CopyField(kTextOffset, kTextSize, m_strText))
        throw new CMultiFileException(CMultiFileException::corruptTable);
    return static_cast<unsigned>(kRecordSize);
}

void CMultiFileMember::SetDestination(const char* fileName)
{
    m_strDestination.assign(fileName != nullptr ? fileName : "");
    if (m_strDestination.size() > kNameSize)
        m_strDestination.resize(kNameSize);
}

void CMultiFileMember::OpenOutput()
{
    OpenWrite(m_strDestination.c_str(), true);
    m_nWriteCount = 0;
    m_nCrc = 0;
}

void CMultiFileMember::ApplyFileStatus()
{
    // The status written back takes only the record's time and attribute
    // byte, so nothing read from the file would survive; reading it first
    // would cost a directory search per file. The time goes through the
    // handle that wrote the file, after its last byte, and so do the
    // attributes where the system allows; otherwise they are set by name once
    // the file is closed. Setting them on a missing file fails with file not
    // found, as the reading would.
    CFileStatus status;
    status.m_strFullName = m_strDestination;
    status.m_mtime = static_cast<time_t>(GetModificationTime());
    status.m_attribute = static_cast<uint8_t>(GetAttributes() & 0xFF);
    if (IsOpen()) {
        bool attributesSet = false;
        try {
            attributesSet = SetOpenStatus(status);
        } catch (...) {
            Abort();
            throw;
        }
        Close();
        if (attributesSet)
            return;
        status.m_mtime = 0;
    }
    SetStatus(m_strDestination.c_str(), status);
}

void CMultiFileMember::FillFromFile()
{
    CFileStatus status;
    if (!GetStatus(m_strName.c_str(), status))
        AfxThrowFileException(CFileException::fileNotFound, -1, m_strName.c_str());
    SetModificationTime(static_cast<uint32_t>(status.m_mtime));
    SetAttributes(static_cast<uint16_t>((GetAttributes() & 0xFF00) | status.m_attribute));
    SetUnpackedSize(static_cast<uint32_t>(status.m_size));
}

uint32_t CMultiFileMember::GetModificationTime() const
{
    return GetLE32(m_record + kTimeOffset);
}

uint32_t CMultiFileMember::GetUnpackedSize() const
{
    return GetLE32(m_record + kUnpackedSizeOffset);
}

uint32_t CMultiFileMember::GetPackedSize() const
{
    return GetLE32(m_record + kPackedSizeOffset);
}

uint32_t CMultiFileMember::GetRecordCrc() const
{
    return GetLE32(m_record + kCrcOffset);
}

uint32_t CMultiFileMember::GetMethod() const
{
    return GetLE32(m_record + kMethodOffset);
}

uint32_t CMultiFileMember::GetMethodParameter() const
{
    return GetLE32(m_record + kMethodParameterOffset);
}

uint16_t CMultiFileMember::GetDestinationId() const
{
    return GetLE16(m_record + kDestinationOffset);
}

uint16_t CMultiFileMember::GetAttributes() const
{
    return GetLE16(m_record + kAttributesOffset);
}

bool CMultiFileMember::IsContinued() const
{
    return GetLE16(m_record + kContinuedOffset) != 0;
}

namespace {

// Copies text into a zero-terminated field, cut to leave room for the zero.
void PutField(uint8_t* field, size_t size, const char* text)
{
    memset(field, 0, size);
    if (text != nullptr)
        memcpy(field, text, strnlen(text, size - 1));
}

} // namespace

void CMultiFileMember::SetName(const char* name)
{
    PutField(m_record + kNameOffset, kNameSize, name);
    CopyField(kNameOffset, kNameSize, m_strName);
}

void CMultiFileMember::SetText(const char* text)
{
    PutField(m_record + kTextOffset, kTextSize, text);
    CopyField(kTextOffset, kTextSize, m_strText);
}

void CMultiFileMember::SetModificationTime(uint32_t seconds)
{
    PutLE32(m_record + kTimeOffset, seconds);
}

void CMultiFileMember::SetUnpackedSize(uint32_t size)
{
    PutLE32(m_record + kUnpackedSizeOffset, size);
}

void CMultiFileMember::SetPackedSize(uint32_t size)
{
    PutLE32(m_record + kPackedSizeOffset, size);
}

void CMultiFileMember::SetRecordCrc(uint32_t crc)
{
    PutLE32(m_record + kCrcOffset, crc);
}

void CMultiFileMember::SetMethod(uint32_t method)
{
    PutLE32(m_record + kMethodOffset, method);
}

void CMultiFileMember::SetMethodParameter(uint32_t parameter)
{
    PutLE32(m_record + kMethodParameterOffset, parameter);
}

void CMultiFileMember::SetDestinationId(uint16_t id)
{
    PutLE16(m_record + kDestinationOffset, id);
}

void CMultiFileMember::SetAttributes(uint16_t attributes)
{
    PutLE16(m_record + kAttributesOffset, attributes);
}

void CMultiFileMember::SetContinued(bool continued)
{
    PutLE16(m_record + kContinuedOffset, continued ? 1 : 0);
}
