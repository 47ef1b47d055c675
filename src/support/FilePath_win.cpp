// The file-system side of CFilePath on Windows.
#include <direct.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>

#include "framework/FileException.h"
#include "support/FilePath.h"
#include "support/Mbcs.h"
#include "support/StringHelpers.h"

CFilePath::CFilePath(Location location)
{
    char buffer[MAX_PATH + 1] = "";
    switch (location) {
    case locCurrent:
        GetCurrentDirectoryA(MAX_PATH, buffer);
        SetDirectory(buffer);
        break;
    case locWindows:
        GetWindowsDirectoryA(buffer, MAX_PATH);
        SetDirectory(buffer);
        break;
    case locSystem:
        GetSystemDirectoryA(buffer, MAX_PATH);
        SetDirectory(buffer);
        break;
    case locModule:
        SetModuleFileName();
        SetFileName("");
        break;
    case locTemp:
        GetTempPathA(MAX_PATH, buffer);
        m_strPath = buffer;
        SetFileName("");
        break;
    }
}

void CFilePath::SetModuleFileName()
{
    char buffer[MAX_PATH + 1] = "";
    DWORD length = GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, MAX_PATH);
    buffer[length < MAX_PATH ? length : MAX_PATH] = '\0';
    m_strPath = buffer;
}

void CFilePath::GetFullPath(std::string& full) const
{
    char buffer[MAX_PATH + 1] = "";
    char* filePart = nullptr;
    DWORD length = GetFullPathNameA(m_strPath.c_str(), MAX_PATH, buffer, &filePart);
    full = (length > 0 && length < MAX_PATH) ? buffer : "";
}

bool CFilePath::Exists() const
{
    // A path that names one file or directory has its answer in its
    // attributes, which (unlike a directory search) cost no trip to the
    // server under Wine. A wildcard, a path that ends in a separator, and a
    // file the system will not describe (a paging file, say) are searched for.
    const char* path = m_strPath.c_str();
    const size_t length = m_strPath.size();
    if (length > 0 && strpbrk(path, "*?") == nullptr &&
        strchr("\\/:", path[length - 1]) == nullptr) {
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
            return true;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return false;
    }
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(m_strPath.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return true;
}

namespace {

// A path copied into the form of a directory: with its trailing backslash, so
// that GetDirectory gives the directory itself ("C:" becomes "C:\").
CFilePath AsDirectory(const std::string& path)
{
    std::string text = path;
    AddTrailingBackslash(text);
    return CFilePath(text);
}

} // namespace

bool CFilePath::DirectoryExists() const
{
    CFilePath pattern(*this);
    pattern.SetFileName("*.*");
    return pattern.Exists();
}

bool CFilePath::EnterDirectory() const
{
    std::string directory;
    GetDirectory(directory);
    if (directory.empty())
        return false;
    // The copy enters the directory of every file it installs, mostly the one
    // it is in already; changing to it again is a trip to the server under
    // Wine. A current directory cannot be removed, so it can be entered.
    char current[MAX_PATH + 1] = "";
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    std::string wanted = directory;
    StripTrailingBackslash(wanted);
    if (length > 0 && length < sizeof current) {
        std::string here(current, length);
        StripTrailingBackslash(here);
        if (here == wanted)
            return true;
    }
    // The C runtime's call, so that errno says why it failed (the exception of
    // CreateDirectoryTreeOrThrow is built from it).
    return _chdir(directory.c_str()) == 0;
}

bool CFilePath::RemoveDir() const
{
    std::string directory;
    GetDirectory(directory);
    return RemoveDirectoryA(directory.c_str()) != FALSE;
}

bool CFilePath::CreateDirectoryTree(bool recursive) const
{
    std::string copy = m_strPath;
    StripTrailingBackslash(copy);
    if (CreateDirectoryA(copy.c_str(), nullptr))
        return true;

    // An existing directory counts as success. It is tested as a directory even
    // when the caller left out the trailing backslash: otherwise C:\APPS, with a
    // file of that name in C:\, would test C:\ and pass.
    bool ok = AsDirectory(copy).EnterDirectory();
    if (!ok && recursive) {
        size_t separator = copy.npos;
        for (size_t i = 0; i < copy.size(); i = Mbcs::NextChar(copy, i)) {
            if (copy[i] == '\\')
                separator = i;
        }
        if (separator == copy.npos)
            return false;
        // The parent, without trailing backslash; at the top it is the drive
        // ("C:"), which cannot be created but can be entered.
        if (!CFilePath(copy.substr(0, separator)).CreateDirectoryTree(true))
            return false;
        return CreateDirectoryTree(false);
    }
    return ok;
}

void CFilePath::CreateDirectoryTreeOrThrow(bool recursive) const
{
    // Clear both error numbers so that a stale one from earlier work is never
    // reported for this failure.
    errno = 0;
    SetLastError(ERROR_SUCCESS);
    if (CreateDirectoryTree(recursive))
        return;
    int nErrno = errno;
    long lOsError = static_cast<long>(GetLastError());
    int cause = nErrno != 0 ? CFileException::ErrnoToException(nErrno)
                            : CFileException::OsErrorToException(lOsError);
    AfxThrowFileException(cause, lOsError, m_strPath.c_str());
}

bool CFilePath::Delete(bool clearReadOnly) const
{
    if (clearReadOnly) {
        DWORD attributes = GetFileAttributesA(m_strPath.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            SetFileAttributesA(m_strPath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return DeleteFileA(m_strPath.c_str()) != FALSE;
}

bool CFilePath::Rename(const char* newName) const
{
    return MoveFileA(m_strPath.c_str(), newName) != FALSE;
}

bool CFilePath::ReplaceWith(const char* newFile) const
{
    const char* path = m_strPath.c_str();
    DWORD attributes = GetFileAttributesA(path);
    bool readOnly =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly)
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    auto fail = [&](DWORD error) {
        if (readOnly)
            SetFileAttributesA(path, attributes);
        SetLastError(error);
        return false;
    };

    if (MoveFileExA(newFile, path, MOVEFILE_REPLACE_EXISTING))
        return true;
    DWORD error = GetLastError();
    if (error != ERROR_CALL_NOT_IMPLEMENTED)
        return fail(error);

    // Windows 95 has no replacing move: the old file steps aside under a
    // unique name, the new one takes its place, and only then is the old one
    // deleted; when the new one cannot move in, the old one moves back.
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileA(newFile, path) != FALSE || fail(GetLastError());
    CFilePath aside(m_strPath);
    aside.MakeUniqueName(true, 1000);
    if (!MoveFileA(path, aside))
        return fail(GetLastError());
    if (!MoveFileA(newFile, path)) {
        error = GetLastError();
        MoveFileA(aside, path);
        return fail(error);
    }
    DeleteFileA(aside);
    return true;
}

bool CFilePath::GetModificationTime(int64_t& seconds) const
{
    // The directory entry, not the C runtime's _stat64, which the msvcrt.dll of
    // Windows 95 and NT 4.0 lacks. A wildcard would make the name a pattern.
    seconds = 0;
    if (m_strPath.empty() || m_strPath.find_first_of("*?") != std::string::npos)
        return false;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(m_strPath.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    // 100-nanosecond units since 1601; 1970 is 11644473600 seconds later.
    const int64_t kUnitsPerSecond = 10000000;
    const int64_t kEpochDifference = 11644473600LL;
    uint64_t units = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                     data.ftLastWriteTime.dwLowDateTime;
    seconds = static_cast<int64_t>(units / kUnitsPerSecond) - kEpochDifference;
    return true;
}
