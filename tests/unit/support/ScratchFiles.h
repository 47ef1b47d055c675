#pragma once
// A fresh directory for one test, removed with its contents afterwards, and
// whole-file helpers. Portable: the file classes' tests run natively and
// under Wine.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class CScratchFiles {
public:
    CScratchFiles()
    {
        static std::atomic<unsigned> s_count{0};
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("arc_") + (info != nullptr ? info->name() : "x") + "_" +
                           std::to_string(++s_count);
        m_dir = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    ~CScratchFiles()
    {
        std::error_code ignored;
        // Files made read-only by a test must be deletable again.
        for (auto& entry : std::filesystem::recursive_directory_iterator(m_dir, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_dir, ignored);
    }
    CScratchFiles(const CScratchFiles&) = delete;
    CScratchFiles& operator=(const CScratchFiles&) = delete;

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Dir() const { return m_dir.string(); }

    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::string path = Path(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        return Write(name, std::string(bytes.begin(), bytes.end()));
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
    uint32_t x = seed;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = static_cast<char>(x >> 23);
    }
    return s;
}
