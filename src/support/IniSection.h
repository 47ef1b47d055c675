#pragma once
// CIniSection: lists the keys of one section of an INI file, in file order,
// handing each to a CIniValue.
//
//     CIniSection section("groups");
//     section.SetFile(profilePath);
//     CIniValue value;
//     for (bool more = section.GetFirstKey(value); more; more = section.GetNextKey(value)) {
//         value.Read();
//         ...
//     }

#include <cstddef>
#include <memory>
#include <string>

#include "support/FilePath.h"

class CIniValue;

class CIniSection {
public:
    // The key list is first asked for with this many bytes, doubled while the
    // answer may have been cut.
    static constexpr size_t kFirstBufferSize = 256;
    // No key list grows beyond this; a section whose key names need more is
    // listed as far as they fit.
    static constexpr size_t kMaxBufferSize = size_t(1) << 24;

    // The file starts as the application's profile file name.
    explicit CIniSection(const char* sectionName);
    CIniSection(const CIniSection&) = delete;
    CIniSection& operator=(const CIniSection&) = delete;
    ~CIniSection();

    // The INI file to read; an empty name means the application's profile file.
    void SetFile(const char* fileName) { m_file = fileName; }

    // Loads the section's key list and gives the first key: value receives the
    // section name, a copy of the file and the key name (its value strings stay
    // as they were). False when the section has no key or does not exist.
    bool GetFirstKey(CIniValue& value);
    // The next key of the list loaded by GetFirstKey. False after the last key
    // (the list is then released) and when no list is loaded.
    bool GetNextKey(CIniValue& value);

    // Bytes of the key list last asked for (0 when none is loaded).
    size_t GetBufferSize() const { return m_pKeys != nullptr ? m_nBufferSize : 0; }

private:
    void ResolveFile();
    void ReleaseKeys();

    CFilePath m_file;
    std::string m_strSection;
    std::unique_ptr<char[]> m_pKeys;
    size_t m_nBufferSize = 0;
    size_t m_nCursor = 0;
};
