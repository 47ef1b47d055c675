#pragma once
// CFileVersion: the version resource of one file, for deciding which of two
// copies of a file is newer.

#include <cstdint>
#include <memory>

class CFileVersion {
public:
    CFileVersion() = default;
    CFileVersion(const CFileVersion&) = delete;
    CFileVersion& operator=(const CFileVersion&) = delete;
    virtual ~CFileVersion();

    // Reads the version information of the file, replacing what was loaded
    // before. False when the file has none or cannot be read; nothing is then
    // loaded.
    bool Load(const char* fileName);
    bool IsLoaded() const { return m_pBlock != nullptr; }

    // The four 16-bit parts of the fixed file version (major.minor.build.revision;
    // build and revision may be null). False when nothing is loaded or the
    // information holds no complete fixed-version record; the outputs are then
    // untouched.
    bool GetFixedVersion(uint16_t* major, uint16_t* minor, uint16_t* build = nullptr,
                         uint16_t* revision = nullptr) const;

    // True when this file's version is strictly greater than other's, the four
    // parts compared as unsigned numbers from major down. A file whose fixed
    // version cannot be read counts as having no version: it is never newer,
    // and any readable version is newer than it.
    bool IsNewerThan(const CFileVersion& other) const;

private:
    std::unique_ptr<unsigned char[]> m_pBlock;
};
