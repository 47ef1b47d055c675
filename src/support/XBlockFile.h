#pragma once
// CXBlockFile: a CXFile that counts the bytes it reads and writes, feeds them
// to a checksum, and calls two hooks that a subclass overrides: OnBlockEnd at
// every block boundary of the data read, and OnEndOfData when the data runs
// out (a subclass may then open a continuation and answer "go on").
//
// The framework's Read and Write are the counted transfers; ReadRaw and
// WriteRaw bypass counting, checksum and hooks.

#include <cstdint>

#include "support/XFile.h"

class CXBlockFile : public CXFile {
    DECLARE_DYNAMIC(CXBlockFile)
public:
    enum Direction { dirRead = 0, dirWrite = 1 };

    // The limit of counted bytes in each direction.
    static constexpr int32_t kMaxCount = 0x7FFFFFFF;

    CXBlockFile() = default;

    // Sets the read and write bases to 0, then opens.
    bool Open(const char* fileName, unsigned openFlags, CFileException* pError = nullptr) override;

    // The counted read: cuts the request at block boundaries, calls OnBlockEnd
    // once per block completed and OnEndOfData when a read comes back short or
    // the limit is reached; stops when OnEndOfData answers true, goes on in
    // the (new) file when it answers false. Returns the bytes delivered, all of
    // which feed the checksum. On a closed file it delivers nothing and calls
    // no hook.
    unsigned Read(void* buffer, unsigned count) override;
    // The counted write: feeds the checksum, then writes in chunks cut at block
    // boundaries, one operating-system write per chunk (the retrying write).
    // Calls OnEndOfData when the limit is reached, and raises CFileException
    // genericException when bytes are left that the limit does not allow.
    void Write(const void* buffer, unsigned count) override;

    // Opens the file for reading (OpenRead, binary) and makes the counts so
    // far the bases of the new file.
    virtual void Reopen(const char* fileName);
    // The framework's stdio read: not counted, not checksummed, no hooks.
    virtual unsigned ReadRaw(void* buffer, unsigned count);
    // The retrying write: not counted, not checksummed, no hooks.
    virtual void WriteRaw(const void* buffer, unsigned count);
    // Called each time the read count reaches a multiple of the block size.
    virtual void OnBlockEnd();
    // Called when the data runs out; true = stop, false = a continuation is
    // open and reading goes on. CXBlockFile answers true.
    virtual bool OnEndOfData();

    // The read or write count or base; 0 for any other direction.
    int32_t GetCount(int direction) const;
    int32_t GetBase(int direction) const;
    // Limit minus count, or 0 when that is not positive.
    int32_t GetRemaining(int direction) const;
    // Bytes to the next block boundary; kMaxCount when the block size is 0.
    int32_t GetBlockLeft(int direction) const;

    int32_t GetBlockSize() const { return m_nBlockSize; }
    // 0 = no blocks.
    void SetBlockSize(int32_t blockSize) { m_nBlockSize = blockSize; }
    int32_t GetLimit() const { return m_nLimit; }
    // The checksum of every byte counted so far.
    uint32_t GetCrc() const { return m_nCrc; }

protected:
    int32_t m_nBlockSize = 0;
    int32_t m_nLimit = kMaxCount;
    int32_t m_nReadCount = 0;
    int32_t m_nWriteCount = 0;
    uint32_t m_nCrc = 0;
    int32_t m_nReadBase = 0;
    int32_t m_nWriteBase = 0;
};
