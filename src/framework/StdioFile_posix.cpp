// The platform side of CStdioFile on POSIX systems: no sharing modes, the
// descriptor's write, stat and utimes. The attribute byte maps to the owner's
// write permission (read-only) and the directory bit; the others have no
// meaning here.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "framework/StdioFile.h"

namespace {

// The times utimensat and futimens take: the access time as it is, the
// modification time set.
struct ModificationTime {
    struct timespec times[2];
    explicit ModificationTime(time_t mtime) : times{{0, UTIME_OMIT}, {mtime, 0}} {}
};

} // namespace

FILE* CStdioFile::OpenStream(const char* fileName, const char* mode, unsigned /*shareFlags*/,
                             int& cause, long& osError)
{
    // The C library here knows no text mode.
    std::string posixMode(mode);
    if (!posixMode.empty() && posixMode.back() == 't')
        posixMode.back() = 'b';
    FILE* stream = fopen(fileName, posixMode.c_str());
    if (stream == nullptr) {
        cause = CFileException::ErrnoToException(errno);
        osError = errno;
    }
    return stream;
}

uint64_t CStdioFile::Seek(int64_t offset, unsigned from)
{
    static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (from > end || fseeko(m_pStream, static_cast<off_t>(offset), kWhence[from]) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName.c_str());
    return GetPosition();
}

uint64_t CStdioFile::GetPosition() const
{
    off_t position = ftello(m_pStream);
    if (position < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName.c_str());
    return static_cast<uint64_t>(position);
}

void CStdioFile::WriteThrough(const void* buffer, unsigned count, unsigned* pWritten)
{
    Flush();
    const int fd = fileno(m_pStream);
    const char* p = static_cast<const char*>(buffer);
    unsigned ignored = 0;
    unsigned& taken = pWritten != nullptr ? *pWritten : ignored;
    taken = 0;
    while (count > 0) {
        ssize_t written = write(fd, p, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            CFileException::ThrowErrno(errno, errno, m_strFileName.c_str());
        if (written == 0)
            AfxThrowFileException(CFileException::diskFull, -1, m_strFileName.c_str());
        p += written;
        taken += static_cast<unsigned>(written);
        count -= static_cast<unsigned>(written);
    }
}

bool CStdioFile::GetStatus(const char* fileName, CFileStatus& status)
{
    struct stat st;
    if (fileName == nullptr || stat(fileName, &st) != 0)
        return false;
    status.m_mtime = st.st_mtime;
    status.m_size = static_cast<uint64_t>(st.st_size);
    status.m_attribute = 0;
    if (S_ISDIR(st.st_mode))
        status.m_attribute |= directory;
    if ((st.st_mode & S_IWUSR) == 0)
        status.m_attribute |= readOnly;
    status.m_strFullName = fileName;
    return true;
}

void CStdioFile::SetStatus(const char* fileName, const CFileStatus& status)
{
    struct stat st;
    if (stat(fileName, &st) != 0)
        CFileException::ThrowErrno(errno, errno, fileName);
    if (status.m_mtime != 0) {
        const ModificationTime times(status.m_mtime);
        if (utimensat(AT_FDCWD, fileName, times.times, 0) != 0)
            CFileException::ThrowErrno(errno, errno, fileName);
    }
    mode_t mode = st.st_mode & 07777;
    mode_t wanted = (status.m_attribute & readOnly) ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    if (wanted != mode && chmod(fileName, wanted) != 0)
        CFileException::ThrowErrno(errno, errno, fileName);
}

bool CStdioFile::SetOpenStatus(const CFileStatus& status)
{
    Flush();
    if (status.m_mtime != 0) {
        const ModificationTime times(status.m_mtime);
        if (futimens(fileno(m_pStream), times.times) != 0)
            CFileException::ThrowErrno(errno, errno, m_strFileName.c_str());
    }
    return false;
}
