#pragma once
// CMultiFileMember: one member of an archive. It keeps its 346-byte entry
// record whole (fields decoded on access, ArchiveFormat.h) and is itself the
// output file while the member is extracted: its counted write accumulates the
// checksum of the unpacked bytes.

#include <cstdint>
#include <string>

#include "archive/ArchiveFormat.h"
#include "support/XBlockFile.h"

class CMultiFile;

class CMultiFileMember : public CXBlockFile {
    DECLARE_DYNAMIC(CMultiFileMember)
public:
    // A new record: tag "mfen", version 1, size 346, everything else 0.
    explicit CMultiFileMember(CMultiFile* pArchive = nullptr);

    // Reads one record from the archive's current position with the raw read
    // (not counted, no hooks). Returns 346, or 0 when fewer bytes were left
    // (the end of the archive). A record without its tag raises
    // CMultiFileException noEntryHeader; a name or text with no terminating
    // zero raises CMultiFileException corruptTable.
    unsigned ReadRecord(CMultiFile& archive);

    // The file that Extract writes; at most 260 characters are kept.
    void SetDestination(const char* fileName);
    const std::string& GetDestination() const { return m_strDestination; }

    // Creates or truncates the destination, open for reading and writing, and
    // resets the write count and the checksum to 0.
    void OpenOutput();
    // Gives the destination file the record's modification time (when not 0)
    // and attribute byte, and closes it when it is open (an open one is
    // closed also when that fails).
    void ApplyFileStatus();
    // For a plain file: stores the modification time, attribute byte and size
    // (as unpacked size) of the file named by the member's name into the
    // record. A file whose status cannot be read raises CFileException
    // fileNotFound.
    void FillFromFile();

    // Where an installer puts the file in the end (the destination file is
    // then a temporary one beside it); empty until it is set.
    void SetTargetPath(const std::string& path) { m_strTargetPath = path; }
    const std::string& GetTargetPath() const { return m_strTargetPath; }

    // Logical offset of the member's entry (0 = not yet placed).
    uint32_t GetEntryOffset() const { return m_nEntryOffset; }
    void SetEntryOffset(uint32_t offset) { m_nEntryOffset = offset; }

    // The archive the member was made for (null for a plain file).
    CMultiFile* GetArchive() const { return m_pArchive; }

    // The record, whole (for a writer).
    const uint8_t* GetRecord() const { return m_record; }

    // Record accessors.
    const std::string& GetName() const { return m_strName; }
    const std::string& GetText() const { return m_strText; }
    uint32_t GetModificationTime() const;
    uint32_t GetUnpackedSize() const;
    uint32_t GetPackedSize() const;
    uint32_t GetRecordCrc() const;
    uint32_t GetMethod() const;
    uint32_t GetMethodParameter() const;
    uint16_t GetDestinationId() const;
    uint16_t GetAttributes() const;
    bool IsContinued() const;

    // Name and text longer than their fields allow (259 and 39 characters)
    // are cut.
    void SetName(const char* name);
    void SetText(const char* text);
    void SetModificationTime(uint32_t seconds);
    void SetUnpackedSize(uint32_t size);
    void SetPackedSize(uint32_t size);
    void SetRecordCrc(uint32_t crc);
    void SetMethod(uint32_t method);
    void SetMethodParameter(uint32_t parameter);
    void SetDestinationId(uint16_t id);
    void SetAttributes(uint16_t attributes);
    void SetContinued(bool continued);

private:
    friend class CMultiFile;

    // Copies a zero-terminated field of the record; false when it has no zero.
    bool CopyField(size_t offset, size_t size, std::string& out) const;

    CMultiFile* m_pArchive;
    uint32_t m_nEntryOffset = 0;
    std::string m_strDestination;
    std::string m_strTargetPath;
    uint8_t m_record[ArchiveFormat::kRecordSize];
    std::string m_strName;
    std::string m_strText;
    // The archive's read count at which this member's packed data ends: what
    // is left unread of it is passed over before the next record.
    int64_t m_nDataEnd = 0;
};
