#include "support/XFile.h"

IMPLEMENT_DYNAMIC(CXFile, CStdioFile)

void CXFile::SetFilePath(const char* path)
{
    CStdioFile::SetFilePath(path);
}

bool CXFile::IsOpen() const
{
    return m_pStream != nullptr;
}

const CFilePath& CXFile::GetPath() const
{
    return m_path;
}

void CXFile::OpenOrThrow(const char* fileName, unsigned openFlags)
{
    CFileException error(CFileException::none, -1, nullptr);
    if (!Open(fileName, openFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName.c_str());
    m_path = CFilePath(fileName);
}

void CXFile::OpenRead(const char* fileName, bool binary)
{
    OpenOrThrow(fileName, modeRead | shareDenyNone | (binary ? typeBinary : typeText));
    // The counted reads ask for 4096 bytes at a time; the system is asked for
    // kReadBuffer, so that an archive costs a sixteenth of the system calls.
    // Without the buffer the stream keeps the runtime's own.
    setvbuf(m_pStream, nullptr, _IOFBF, kReadBuffer);
}

void CXFile::OpenWrite(const char* fileName, bool binary)
{
    OpenOrThrow(fileName,
                modeCreate | modeReadWrite | shareExclusive | (binary ? typeBinary : typeText));
}

void CXFile::ReadExact(void* buffer, unsigned count)
{
    if (Read(buffer, count) < count)
        AfxThrowFileException(CFileException::endOfFile, -1, GetFilePath().c_str());
}

bool CXFile::OnDiskFull(CFileException* /*e*/)
{
    return false;
}

void CXFile::Write(const void* buffer, unsigned count)
{
    // A retry starts again where this write began, so that the bytes the full
    // disk did take are overwritten rather than written twice.
    for (;;) {
        unsigned taken = 0;
        try {
            WriteThrough(buffer, count, &taken);
            return;
        } catch (CFileException* e) {
            if (e->m_cause != CFileException::diskFull)
                throw;
            bool retry = false;
            try {
                retry = OnDiskFull(e);
            } catch (...) {
                e->Delete();
                throw;
            }
            e->Delete();
            if (!retry)
                AfxThrowFileException(CFileException::diskFull, -1, nullptr);
            if (taken > 0)
                Seek(-static_cast<int64_t>(taken), current);
        }
    }
}
