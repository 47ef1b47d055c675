// The file-system side of CFilePath where the path type serves native tools.
// Paths are handed to the C library as they are.
#include <glob.h>
#include <stdio.h>
#include <sys/stat.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include "support/FilePath.h"

CFilePath::CFilePath(Location location)
{
    switch (location) {
    case locCurrent: {
        char buffer[PATH_MAX];
        if (getcwd(buffer, sizeof buffer) != nullptr) {
            m_strPath = buffer;
            m_strPath += '/';
        }
        break;
    }
    case locModule:
        SetModuleFileName();
        SetFileName("");
        break;
    case locTemp: {
        const char* tmp = getenv("TMPDIR");
        m_strPath = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
        m_strPath += '/';
        break;
    }
    default:
        break;
    }
}

void CFilePath::SetModuleFileName()
{
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    m_strPath.assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

void CFilePath::GetFullPath(std::string& full) const
{
    if (!m_strPath.empty() && m_strPath[0] == '/') {
        full = m_strPath;
        return;
    }
    full = CFilePath(locCurrent).GetString() + m_strPath;
}

bool CFilePath::Exists() const
{
    glob_t matches;
    int result = glob(m_strPath.c_str(), GLOB_NOSORT, nullptr, &matches);
    bool found = result == 0 && matches.gl_pathc > 0;
    globfree(&matches);
    return found;
}

bool CFilePath::Delete(bool clearReadOnly) const
{
    // Unlinking needs no write permission on the file itself.
    (void)clearReadOnly;
    return unlink(m_strPath.c_str()) == 0;
}

bool CFilePath::Rename(const char* newName) const
{
    // MoveFileA does not replace an existing file; neither does this.
    struct stat status;
    if (stat(newName, &status) == 0)
        return false;
    return rename(m_strPath.c_str(), newName) == 0;
}

bool CFilePath::ReplaceWith(const char* newFile) const
{
    return rename(newFile, m_strPath.c_str()) == 0;
}
