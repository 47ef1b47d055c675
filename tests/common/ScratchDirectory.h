#pragma once
// A fresh directory for one test, removed with everything in it (read-only
// files too) when the test ends; portable, as the file classes' tests also run
// natively.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "common/TestFiles.h"

class CScratchDirectory {
public:
    CScratchDirectory()
    {
        // Unique also across test programs running at the same time.
        static std::atomic<unsigned> s_count{0};
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        m_dir = std::filesystem::temp_directory_path() /
                ("scratch_" + std::to_string(now) + "_" + std::to_string(++s_count));
        std::filesystem::create_directories(m_dir);
        m_path = (m_dir / "").string();
    }
    ~CScratchDirectory()
    {
        std::error_code ignored;
        // A directory that is current cannot go: back to where the test started.
        std::filesystem::current_path(m_current, ignored);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_dir, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_dir, ignored);
    }
    CScratchDirectory(const CScratchDirectory&) = delete;
    CScratchDirectory& operator=(const CScratchDirectory&) = delete;

    // The directory, with its trailing separator; a file in it; a file
    // written in it (binary: line ends as given).
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }
    std::string WriteFile(const std::string& name, const std::string& bytes) const
    {
        WriteWholeFile(File(name), bytes);
        return File(name);
    }

private:
    std::filesystem::path m_current = std::filesystem::current_path();
    std::filesystem::path m_dir;
    std::string m_path;
};
