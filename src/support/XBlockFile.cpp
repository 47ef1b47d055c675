#include "support/XBlockFile.h"

#include <algorithm>

#include "support/Checksum.h"

IMPLEMENT_DYNAMIC(CXBlockFile, CXFile)

CXBlockFile::~CXBlockFile()
{
    try {
        WriteGathered();
    } catch (CException* e) {
        e->Delete();
    }
}

bool CXBlockFile::Open(const char* fileName, unsigned openFlags, CFileException* pError)
{
    // A file still open is closed by the open: as a stream's buffer, what is
    // gathered goes to it first, whatever becomes of that.
    try {
        WriteGathered();
    } catch (CException* e) {
        e->Delete();
    }
    m_gathered.clear();
    m_nReadBase = 0;
    m_nWriteBase = 0;
    return CXFile::Open(fileName, openFlags, pError);
}

void CXBlockFile::Reopen(const char* fileName)
{
    const int32_t readCount = m_nReadCount;
    const int32_t writeCount = m_nWriteCount;
    OpenRead(fileName, true);
    m_nReadBase = readCount;
    m_nWriteBase = writeCount;
}

int32_t CXBlockFile::GetCount(int direction) const
{
    return direction == dirRead ? m_nReadCount : direction == dirWrite ? m_nWriteCount : 0;
}

int32_t CXBlockFile::GetBase(int direction) const
{
    return direction == dirRead ? m_nReadBase : direction == dirWrite ? m_nWriteBase : 0;
}

int32_t CXBlockFile::GetRemaining(int direction) const
{
    const int32_t left = m_nLimit - GetCount(direction);
    return left > 0 ? left : 0;
}

int32_t CXBlockFile::GetBlockLeft(int direction) const
{
    if (m_nBlockSize <= 0)
        return kMaxCount;
    return m_nBlockSize - GetCount(direction) % m_nBlockSize;
}

unsigned CXBlockFile::ReadRaw(void* buffer, unsigned count)
{
    WriteGathered();
    return CStdioFile::Read(buffer, count);
}

void CXBlockFile::WriteRaw(const void* buffer, unsigned count)
{
    WriteGathered();
    CXFile::Write(buffer, count);
}

void CXBlockFile::Gather(const unsigned char* bytes, unsigned count)
{
    if (m_gathered.size() + count > kWriteGather)
        WriteGathered();
    if (count >= kWriteGather) {
        CXFile::Write(bytes, count);
        return;
    }
    if (m_gathered.capacity() < kWriteGather)
        m_gathered.reserve(kWriteGather);
    m_gathered.insert(m_gathered.end(), bytes, bytes + count);
}

void CXBlockFile::WriteGathered()
{
    if (m_gathered.empty() || !IsOpen())
        return;
    m_writing.swap(m_gathered);
    // Written or failed, the bytes are gone, as with an unbuffered write.
    struct CClear {
        std::vector<unsigned char>& bytes;
        ~CClear() { bytes.clear(); }
    } clear{m_writing};
    CXFile::Write(m_writing.data(), static_cast<unsigned>(m_writing.size()));
}

void CXBlockFile::Close()
{
    try {
        WriteGathered();
    } catch (...) {
        CXFile::Abort();
        throw;
    }
    CXFile::Close();
}

uint64_t CXBlockFile::Seek(int64_t offset, unsigned from)
{
    WriteGathered();
    return CXFile::Seek(offset, from);
}

uint64_t CXBlockFile::GetPosition() const
{
    return CXFile::GetPosition() + m_gathered.size();
}

void CXBlockFile::Flush()
{
    WriteGathered();
    CXFile::Flush();
}

void CXBlockFile::Abort()
{
    m_gathered.clear();
    CXFile::Abort();
}

void CXBlockFile::OnBlockEnd() {}

bool CXBlockFile::OnEndOfData()
{
    return true;
}

unsigned CXBlockFile::Read(void* buffer, unsigned count)
{
    WriteGathered();
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    unsigned done = 0;
    // A file the hook closed without opening a continuation delivers nothing.
    while (done < count && IsOpen()) {
        const unsigned chunk =
            std::min<unsigned>({count - done, static_cast<unsigned>(GetRemaining(dirRead)),
                                static_cast<unsigned>(GetBlockLeft(dirRead))});
        const unsigned got = chunk > 0 ? CStdioFile::Read(bytes + done, chunk) : 0;
        done += got;
        m_nReadCount += static_cast<int32_t>(got);
        // At the limit no read can make progress, whatever the hook answers.
        if (GetRemaining(dirRead) == 0) {
            OnEndOfData();
            break;
        }
        // Only a read that reached the boundary ends the block, so a block
        // is reported once even when the next read finds nothing.
        if (got > 0 && GetBlockLeft(dirRead) == m_nBlockSize)
            OnBlockEnd();
        if (got < chunk && OnEndOfData())
            break;
    }
    m_nCrc = UpdateChecksum(m_nCrc, buffer, done);
    return done;
}

void CXBlockFile::Write(const void* buffer, unsigned count)
{
    m_nCrc = UpdateChecksum(m_nCrc, buffer, count);
    const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
    unsigned written = 0;
    while (written < count) {
        const unsigned chunk =
            std::min<unsigned>({count - written, static_cast<unsigned>(GetRemaining(dirWrite)),
                                static_cast<unsigned>(GetBlockLeft(dirWrite))});
        // Dropping the rest would lose data silently.
        if (chunk == 0)
            AfxThrowFileException(CFileException::genericException, -1, GetFilePath().c_str());
        Gather(bytes + written, chunk);
        written += chunk;
        m_nWriteCount += static_cast<int32_t>(chunk);
        if (GetRemaining(dirWrite) == 0)
            OnEndOfData();
    }
}
