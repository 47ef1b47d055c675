#include "framework/StdioFile.h"

#include <cerrno>

IMPLEMENT_DYNAMIC(CStdioFile, CObject)

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::~CStdioFile()
{
    // A destructor must not throw: close and forget whatever fails.
    if (m_pStream != nullptr)
        CStdioFile::Abort();
}

void CStdioFile::SetFilePath(const char* path)
{
    m_strFileName = path != nullptr ? path : "";
}

bool CStdioFile::Open(const char* fileName, unsigned openFlags, CFileException* pError)
{
    // Not the virtual Abort: a subclass may give it another meaning.
    if (m_pStream != nullptr)
        CStdioFile::Abort();

    // The C runtime's mode: create truncates; without it the file must exist.
    std::string mode;
    const unsigned access = openFlags & 3u;
    if (openFlags & modeCreate)
        mode = access == modeWrite ? "w" : "w+";
    else
        mode = access == modeRead ? "r" : "r+";
    mode += (openFlags & typeText) ? 't' : 'b';

    int cause = CFileException::none;
    long osError = -1;
    FILE* stream = OpenStream(fileName, mode.c_str(), openFlags & 0x70u, cause, osError);
    if (stream == nullptr) {
        if (pError != nullptr) {
            pError->m_cause = cause;
            pError->m_lOsError = osError;
            pError->m_strFileName = fileName != nullptr ? fileName : "";
        }
        return false;
    }
    m_pStream = stream;
    SetFilePath(fileName);
    return true;
}

unsigned CStdioFile::Read(void* buffer, unsigned count)
{
    if (count == 0)
        return 0;
    size_t got = fread(buffer, 1, count, m_pStream);
    if (got < count && ferror(m_pStream)) {
        clearerr(m_pStream);
        AfxThrowFileException(CFileException::genericException, -1, m_strFileName.c_str());
    }
    return static_cast<unsigned>(got);
}

void CStdioFile::Write(const void* buffer, unsigned count)
{
    if (count == 0)
        return;
    if (fwrite(buffer, 1, count, m_pStream) != count) {
        int error = errno;
        clearerr(m_pStream);
        CFileException::ThrowErrno(error, -1, m_strFileName.c_str());
    }
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, -1, m_strFileName.c_str());
}

void CStdioFile::Close()
{
    if (m_pStream == nullptr)
        return;
    FILE* stream = m_pStream;
    m_pStream = nullptr;
    if (fclose(stream) != 0)
        CFileException::ThrowErrno(errno, -1, m_strFileName.c_str());
}

void CStdioFile::Abort()
{
    if (m_pStream == nullptr)
        return;
    fclose(m_pStream);
    m_pStream = nullptr;
}
