#pragma once
// A fresh directory under the temporary directory for one test, removed with
// everything in it when the test ends.

#include <windows.h>

#include <cstdio>
#include <string>

class CScratchDirectory {
public:
    CScratchDirectory()
    {
        GetCurrentDirectoryA(MAX_PATH, m_szCurrent);
        char temp[MAX_PATH + 1] = "";
        GetTempPathA(MAX_PATH, temp);
        static unsigned s_nCount = 0;
        for (;;) {
            char name[64];
            std::snprintf(name, sizeof name, "scratch%lu_%u\\", GetCurrentProcessId(), ++s_nCount);
            m_strPath = std::string(temp) + name;
            if (CreateDirectoryA(m_strPath.c_str(), nullptr))
                break;
        }
    }
    CScratchDirectory(const CScratchDirectory&) = delete;
    CScratchDirectory& operator=(const CScratchDirectory&) = delete;
    ~CScratchDirectory()
    {
        // A test may have entered the directory, which cannot go while current:
        // back to where the test started.
        SetCurrentDirectoryA(m_szCurrent);
        RemoveTree(m_strPath);
    }

    // The directory, with trailing backslash.
    const std::string& Path() const { return m_strPath; }
    std::string File(const std::string& name) const { return m_strPath + name; }

    // Writes text to a file of the directory (binary: line ends as given).
    std::string WriteFile(const std::string& name, const std::string& text) const
    {
        std::string path = File(name);
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file != nullptr) {
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
        }
        return path;
    }

private:
    static void RemoveTree(const std::string& directory)
    {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((directory + "*.*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string name = data.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string path = directory + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(path + "\\");
                } else {
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(directory.c_str());
    }

    char m_szCurrent[MAX_PATH + 1] = "";
    std::string m_strPath;
};
