#pragma once
// A fresh directory for one test, removed with its contents afterwards, and
// whole-file helpers; portable, as the file classes' tests also run natively.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/FileException.h"

class CScratchFiles {
public:
    CScratchFiles()
    {
        // Unique also across test programs running at the same time.
        static std::atomic<unsigned> s_count{0};
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        m_dir = std::filesystem::temp_directory_path() /
                ("scratch_" + std::to_string(now) + "_" + std::to_string(++s_count));
        std::filesystem::create_directories(m_dir);
    }
    ~CScratchFiles()
    {
        std::error_code ignored;
        // Files made read-only by a test must be deletable again.
        for (auto& entry : std::filesystem::directory_iterator(m_dir, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_dir, ignored);
    }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_dir;
};

// n bytes of a fixed pseudo-random pattern (no runs that compress away).
inline std::string PatternBytes(size_t n, uint32_t seed = 1)
{
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 23);
    return s;
}

// What the CFileException f raised carried; cause -1 when it raised none.
struct FileFailure {
    int cause = -1;
    long osError = 0;
    std::string fileName;
};
template <typename F> FileFailure CatchFileException(F f)
{
    FileFailure failure;
    try {
        f();
    } catch (CFileException* e) {
        failure = {e->m_cause, e->m_lOsError, e->m_strFileName};
        e->Delete();
    }
    return failure;
}
