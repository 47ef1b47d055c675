#pragma once
// CXBlockFile: a CXFile that counts the bytes it reads and writes, feeds them
// to a checksum, and calls two hooks that a subclass overrides: OnBlockEnd at
// every block boundary of the data read, and OnEndOfData when the data runs
// out (a subclass may then open a continuation and answer "go on").
//
// The framework's Read and Write are the counted transfers; ReadRaw and
// WriteRaw bypass counting, checksum and hooks.
//
// The counted write gathers its chunks and hands them to the system
// kWriteGather bytes at a time (the codecs write 4096 bytes at a time, and
// each system write costs more than the copy). Everything that needs the
// file as written (close, seek, flush, a read, a raw write) writes what is
// gathered first; abort drops it.

#include <cstdint>
#include <vector>

#include "support/XFile.h"

class CXBlockFile : public CXFile {
    DECLARE_DYNAMIC(CXBlockFile)
public:
    enum Direction { dirRead = 0, dirWrite = 1 };

    // The limit of counted bytes in each direction.
    static constexpr int32_t kMaxCount = 0x7FFFFFFF;

    static const unsigned kWriteGather = 65536;

    CXBlockFile() = default;
    // Writes what is gathered, ignoring failures, as closing a stream flushes it.
    ~CXBlockFile() override;

    // Sets the read and write bases to 0, then opens.
    bool Open(const char* fileName, unsigned openFlags, CFileException* pError = nullptr) override;

    // The counted read: cuts the request at block boundaries, calls OnBlockEnd
    // once per block completed and OnEndOfData when a read comes back short or
    // the limit is reached; stops when OnEndOfData answers true, goes on in
    // the (new) file when it answers false. Returns the bytes delivered, all of
    // which feed the checksum. On a closed file it delivers nothing and calls
    // no hook.
    unsigned Read(void* buffer, unsigned count) override;
    // The counted write: feeds the checksum, then counts in chunks cut at block
    // boundaries and gathers them for the retrying write (so a full disk may
    // be reported by a later write or by Close). Calls OnEndOfData when the
    // limit is reached, and raises CFileException genericException when bytes
    // are left that the limit does not allow.
    void Write(const void* buffer, unsigned count) override;

    // What is gathered goes to the system first; then as the framework's.
    // Close closes the file also when that write fails.
    void Close() override;
    uint64_t Seek(int64_t offset, unsigned from) override;
    uint64_t GetPosition() const override;
    void Flush() override;
    // Drops what is gathered, then closes, ignoring every failure.
    void Abort() override;

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

private:
    void Gather(const unsigned char* bytes, unsigned count);
    // The retrying write of what is gathered. The bytes move to m_writing
    // first: a retry's seek then finds nothing gathered to write again.
    void WriteGathered();

    std::vector<unsigned char> m_gathered;
    std::vector<unsigned char> m_writing;
};
