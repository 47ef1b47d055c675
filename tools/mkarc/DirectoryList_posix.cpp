#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "DirectoryList.h"
#include "PathText.h"

bool IsDirectory(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool ListDirectory(const std::string& dir, std::vector<DirectoryEntry>& entries, std::string& error)
{
    DIR* handle = opendir(dir.c_str());
    if (handle == nullptr) {
        error = strerror(errno);
        return false;
    }
    errno = 0;
    while (const dirent* entry = readdir(handle)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        std::string path = PathText::Join(dir, name);
        entries.push_back({path, IsDirectory(path)});
    }
    int readError = errno;
    closedir(handle);
    if (readError != 0) {
        error = strerror(readError);
        return false;
    }
    return true;
}
