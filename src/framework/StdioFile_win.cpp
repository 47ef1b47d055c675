// The platform side of CStdioFile on Windows: the C runtime's shared open,
// WriteFile on the stream's handle, and the file's attributes and times
// through the kernel.
#include <windows.h>
#include <io.h>
#include <share.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "framework/StdioFile.h"

namespace {

// Seconds between 1601 and 1970, in 100-nanosecond units.
const ULONGLONG kEpochDifference = 116444736000000000ULL;

time_t FileTimeToSeconds(const FILETIME& ft)
{
    ULONGLONG t = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return t < kEpochDifference ? 0 : static_cast<time_t>((t - kEpochDifference) / 10000000ULL);
}

FILETIME SecondsToFileTime(time_t seconds)
{
    ULONGLONG t = static_cast<ULONGLONG>(seconds) * 10000000ULL + kEpochDifference;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(t);
    ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
    return ft;
}

// SetFileInformationByHandle's FILE_BASIC_INFO: a zero time or attribute
// word leaves that part unchanged.
struct CBasicInfo {
    LARGE_INTEGER creationTime;
    LARGE_INTEGER lastAccessTime;
    LARGE_INTEGER lastWriteTime;
    LARGE_INTEGER changeTime;
    DWORD attributes;
};
const int kFileBasicInfo = 0;
typedef BOOL(WINAPI* SetInformationByHandle)(HANDLE, int, void*, DWORD);

// Windows Vista and later set a file's times and attributes through an open
// handle; the systems before them only its times.
SetInformationByHandle FindSetInformationByHandle()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel == nullptr ? nullptr
                             : reinterpret_cast<SetInformationByHandle>(reinterpret_cast<void*>(
                                   GetProcAddress(kernel, "SetFileInformationByHandle")));
}

DWORD AttributesToSet(uint8_t attribute)
{
    DWORD attributes = attribute & ~(CStdioFile::directory | CStdioFile::volume);
    return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

} // namespace

FILE* CStdioFile::OpenStream(const char* fileName, const char* mode, unsigned shareFlags,
                             int& cause, long& osError)
{
    // The framework's share bits are the C runtime's _SH_ values.
    int share = shareFlags == shareExclusive   ? _SH_DENYRW
                : shareFlags == shareDenyWrite ? _SH_DENYWR
                : shareFlags == shareDenyRead  ? _SH_DENYRD
                                               : _SH_DENYNO;
    _doserrno = 0;
    errno = 0;
    FILE* stream = _fsopen(fileName, mode, share);
    if (stream == nullptr) {
        osError = static_cast<long>(_doserrno);
        cause = osError != 0 ? CFileException::OsErrorToException(osError)
                             : CFileException::ErrnoToException(errno);
    }
    return stream;
}

// fgetpos, fsetpos and GetFileSize rather than _fseeki64 and _ftelli64: the
// msvcrt.dll of Windows 95 and NT 4.0 has no 64-bit seek, and MinGW's stand-in
// for _fseeki64 imports _filelengthi64, which it lacks too. A runtime whose
// fpos_t is 32 bits wide fills only the low half, so positions start at 0.
uint64_t CStdioFile::Seek(int64_t offset, unsigned from)
{
    fpos_t base = 0;
    bool ok = from <= end;
    if (ok && from == current)
        ok = fgetpos(m_pStream, &base) == 0;
    if (ok && from == end) {
        // What the stream holds unwritten belongs to the file's length.
        HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(m_pStream)));
        DWORD high = 0;
        ok = fflush(m_pStream) == 0;
        SetLastError(NO_ERROR);
        DWORD low = ok ? GetFileSize(file, &high) : INVALID_FILE_SIZE;
        ok = ok && (low != INVALID_FILE_SIZE || GetLastError() == NO_ERROR);
        base = static_cast<fpos_t>((static_cast<uint64_t>(high) << 32) | low);
    }
    fpos_t target = base + offset;
    if (!ok || target < 0 || fsetpos(m_pStream, &target) != 0)
        AfxThrowFileException(CFileException::badSeek, static_cast<long>(_doserrno),
                              m_strFileName.c_str());
    return GetPosition();
}

uint64_t CStdioFile::GetPosition() const
{
    fpos_t position = 0;
    if (fgetpos(m_pStream, &position) != 0 || position < 0)
        AfxThrowFileException(CFileException::badSeek, static_cast<long>(_doserrno),
                              m_strFileName.c_str());
    return static_cast<uint64_t>(position);
}

void CStdioFile::WriteThrough(const void* buffer, unsigned count, unsigned* pWritten)
{
    Flush();
    HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(m_pStream)));
    DWORD written = 0;
    BOOL ok = WriteFile(file, buffer, count, &written, nullptr);
    if (pWritten != nullptr)
        *pWritten = written;
    if (!ok)
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), m_strFileName.c_str());
    // The system writes what fits and reports success: a short write is a full disk.
    if (written != count)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName.c_str());
}

bool CStdioFile::GetStatus(const char* fileName, CFileStatus& status)
{
    // FindFirstFileA would take a wildcard for a pattern.
    if (fileName == nullptr || *fileName == '\0' || strpbrk(fileName, "*?") != nullptr)
        return false;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(fileName, &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    status.m_mtime = FileTimeToSeconds(data.ftLastWriteTime);
    status.m_size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_attribute = static_cast<uint8_t>(data.dwFileAttributes);
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(fileName, MAX_PATH, full, nullptr);
    status.m_strFullName = length > 0 && length < MAX_PATH ? full : fileName;
    return true;
}

void CStdioFile::SetStatus(const char* fileName, const CFileStatus& status)
{
    DWORD current = GetFileAttributesA(fileName);
    if (current == INVALID_FILE_ATTRIBUTES)
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), fileName);
    // A read-only file takes no new time: clear the flag first, set it again below.
    if (current & FILE_ATTRIBUTE_READONLY) {
        if (!SetFileAttributesA(fileName, current & ~FILE_ATTRIBUTE_READONLY))
            CFileException::ThrowOsError(static_cast<long>(GetLastError()), fileName);
    }
    if (status.m_mtime != 0) {
        HANDLE file = CreateFileA(fileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            CFileException::ThrowOsError(static_cast<long>(GetLastError()), fileName);
        FILETIME ft = SecondsToFileTime(status.m_mtime);
        BOOL ok = SetFileTime(file, nullptr, nullptr, &ft);
        DWORD error = GetLastError();
        CloseHandle(file);
        if (!ok)
            CFileException::ThrowOsError(static_cast<long>(error), fileName);
    }
    if (!SetFileAttributesA(fileName, AttributesToSet(status.m_attribute)))
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), fileName);
}

bool CStdioFile::SetOpenStatus(const CFileStatus& status)
{
    Flush();
    HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(m_pStream)));
    const FILETIME ft = SecondsToFileTime(status.m_mtime);
    // Under Wine, opening the file again for its time and its attributes is
    // three trips to the server each; through this handle, none.
    static const SetInformationByHandle setInformation = FindSetInformationByHandle();
    if (setInformation != nullptr) {
        CBasicInfo info = {};
        if (status.m_mtime != 0) {
            info.lastWriteTime.LowPart = ft.dwLowDateTime;
            info.lastWriteTime.HighPart = static_cast<LONG>(ft.dwHighDateTime);
        }
        info.attributes = AttributesToSet(status.m_attribute);
        if (setInformation(file, kFileBasicInfo, &info, sizeof info))
            return true;
    }
    if (status.m_mtime != 0 && !SetFileTime(file, nullptr, nullptr, &ft))
        CFileException::ThrowOsError(static_cast<long>(GetLastError()), m_strFileName.c_str());
    return false;
}
