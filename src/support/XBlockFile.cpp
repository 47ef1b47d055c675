#include "support/XBlockFile.h"

#include <algorithm>

#include "support/Checksum.h"

IMPLEMENT_DYNAMIC(CXBlockFile, CXFile)

bool CXBlockFile::Open(const char* fileName, unsigned openFlags, CFileException* pError)
{
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
    return CStdioFile::Read(buffer, count);
}

void CXBlockFile::WriteRaw(const void* buffer, unsigned count)
{
    CXFile::Write(buffer, count);
}

void CXBlockFile::OnBlockEnd() {}

bool CXBlockFile::OnEndOfData()
{
    return true;
}

unsigned CXBlockFile::Read(void* buffer, unsigned count)
{
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
        CXFile::Write(bytes + written, chunk);
        written += chunk;
        m_nWriteCount += static_cast<int32_t>(chunk);
        if (GetRemaining(dirWrite) == 0)
            OnEndOfData();
    }
}
