#pragma once
// CMultiFile: the archive reader. A block file (blocks of 4096 bytes) opened
// for reading on one archive piece; it walks the members in file order and
// extracts one at a time through a codec into the member's destination file.
//
// Subclasses give the two hooks their meaning: OnBlockEnd runs after every
// 4096 bytes of packed data read; OnEndOfData runs when a member's data runs
// past the end of the piece, and may open the next piece (OpenPiece, with the
// name NextPieceName gives) and answer false to go on. While the hooks run,
// GetCurrentMember is the member whose data is being read.

#include <cstdint>
#include <memory>
#include <string>

#include "support/XBlockFile.h"

class CCodec;
class CMultiFileMember;

class CMultiFile : public CXBlockFile {
    DECLARE_DYNAMIC(CMultiFile)
public:
    static constexpr int32_t kBlockSize = 4096;

    CMultiFile();
    ~CMultiFile() override;

    // Asks the active codec to stop; nothing when none is active. The file
    // stays open.
    void Abort() override;

    // Opens the piece (OpenPiece) and records the position after the header as
    // the offset of the first entry.
    void OpenArchive(const char* fileName);

    // Reads the next entry record into the member; false at the end of the
    // archive (fewer than 346 bytes left in the piece). With seek, whatever
    // the member has not read of its previous entry's packed data is first
    // passed over through the counted read, so that a change of piece happens
    // as it would while extracting; the copy engine does this for a member it
    // does not extract. Without seek the record is read where reading stands.
    bool ReadNextEntry(CMultiFileMember& member, bool seek);

    // Decompresses the member's packed data into its destination file (created
    // or truncated), closes it, applies the record's time and attributes and
    // checks the checksum (a member with a non-zero checksum must also have
    // the record's unpacked size). Whatever of the packed data the codec left unread
    // is passed over, so the next record is read at its place. Raises
    // CMultiFileException unknownMethod (the empty output stays) or
    // crcMismatch, the codec's exceptions, the file exceptions, and
    // CUserException when the extraction was aborted.
    void Extract(CMultiFileMember& member);

    // A new member bound to this archive, placed at the first entry; the
    // caller deletes it.
    virtual CMultiFileMember* CreateMember();
    // A new codec for the method (2 stored, 4 zlib), or null; the caller
    // deletes it.
    virtual CCodec* CreateCodec(uint32_t method, uint32_t parameter);

    uint32_t GetFirstEntryOffset() const { return m_nFirstEntryOffset; }
    // The member whose data is being read (during Extract and while passing
    // over data), else null.
    CMultiFileMember* GetCurrentMember() const { return m_pMember; }
    // The codec at work during Extract, else null.
    CCodec* GetCurrentCodec() const { return m_pCodec; }

    // The name of the piece after the one named fileName (its directory is
    // dropped): the file name turned to lower case by the system's rules
    // (Mbcs::ToLower) with its last character raised by one, without carry:
    // "DATA.Z01" gives "data.z02", "data.a09" gives "data.a0:". Empty when
    // the name is empty or its last character (in lower case) is 0xFF.
    static std::string NextPieceName(const char* fileName);

protected:
    // Opens a piece for reading, shared, in binary mode and checks its header:
    // fewer than 8 bytes raise CFileException endOfFile, a wrong tag raises
    // CMultiFileException notArchive.
    void OpenPiece(const char* fileName);

private:
    // Reads and throws away what is left of the member's packed data, with the
    // member as the current one. Data that ends early raises CFileException
    // endOfFile.
    void PassOverData(CMultiFileMember& member);

    CCodec* m_pCodec = nullptr;
    CMultiFileMember* m_pMember = nullptr;
    uint32_t m_nFirstEntryOffset = 0;
};
