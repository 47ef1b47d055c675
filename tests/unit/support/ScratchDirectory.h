#pragma once
// A fresh directory under the temporary directory for one test, removed with
// everything in it (read-only files too) when the test ends.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

class CScratchDirectory {
public:
    CScratchDirectory()
    {
        char temp[MAX_PATH + 1] = "";
        GetTempPathA(MAX_PATH, temp);
        static unsigned s_nCount = 0;
        do
            m_strPath = temp + ("scratch" + std::to_string(GetCurrentProcessId()) + "_" +
                                std::to_string(++s_nCount) + "\\");
        while (!CreateDirectoryA(m_strPath.c_str(), nullptr));
    }
    ~CScratchDirectory()
    {
        // A directory that is current cannot go: back to where the test started.
        std::error_code ignored;
        std::filesystem::current_path(m_current, ignored);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_strPath, ignored))
            SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(m_strPath, ignored);
    }
    CScratchDirectory(const CScratchDirectory&) = delete;

    // The directory, with trailing backslash; a file in it; a file written
    // in it (binary: line ends as given).
    const std::string& Path() const { return m_strPath; }
    std::string File(const std::string& name) const { return m_strPath + name; }
    std::string WriteFile(const std::string& name, const std::string& text) const
    {
        std::ofstream(File(name), std::ios::binary) << text;
        return File(name);
    }

private:
    std::filesystem::path m_current = std::filesystem::current_path();
    std::string m_strPath;
};
