#include <windows.h>

#include "DirectoryList.h"
#include "PathText.h"

namespace {

std::string SystemText(DWORD code)
{
    char text[256] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n'))
        text[--length] = '\0';
    return length > 0 ? text : "system error " + std::to_string(code);
}

// Closes the search when the listing ends, however it ends.
class CFindHandle {
public:
    explicit CFindHandle(HANDLE handle) : m_handle(handle) {}
    ~CFindHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

} // namespace

bool IsDirectory(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ListDirectory(const std::string& dir, std::vector<DirectoryEntry>& entries, std::string& error)
{
    WIN32_FIND_DATAA data;
    CFindHandle find(FindFirstFileA(PathText::Join(dir, "*").c_str(), &data));
    if (find.Get() == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        // An empty directory on a drive without "." and "..".
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES)
            return true;
        error = SystemText(code);
        return false;
    }
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        entries.push_back(
            {PathText::Join(dir, name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(find.Get(), &data));
    DWORD code = GetLastError();
    if (code != ERROR_NO_MORE_FILES) {
        error = SystemText(code);
        return false;
    }
    return true;
}
