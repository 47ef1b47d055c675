#pragma once
// CIniValue: one key of one section of an INI file, read and written through
// the system's private-profile functions. It holds the value as last read and
// as currently set, so that a caller can tell whether it changed.
//
// An empty file name stands for the application's own profile file
// (AfxGetAppProfileName); every operation that touches the file fills it in.

#include <string>

#include "support/FilePath.h"

// What every INI value has: where it lives, and reading, writing and the test
// for a change.
class CIniValueBase {
public:
    virtual ~CIniValueBase() = default;

    virtual bool IsModified() const = 0;
    virtual bool Read() = 0;
    virtual bool Write() = 0;

    std::string m_strSection;
    std::string m_strKey;
    CFilePath m_file;

protected:
    // Fills an empty file name with the application's profile file name.
    void ResolveFile();
};

class CIniValue : public CIniValueBase {
public:
    // Longest value seen: values are read into a 255-byte buffer.
    static constexpr size_t kMaxValue = 254;

    CIniValue() = default;

    // True when the current value differs from the one last read.
    bool IsModified() const override { return m_strValue != m_strReadValue; }
    // Reads the key, with the current value as default (so a missing key keeps
    // it). Value and read value both become the text read, cut at 254
    // characters. True when that text is not empty.
    bool Read() override;
    // Writes the current value under the key; true on success.
    bool Write() override;

    const char* GetValue() const { return m_strValue.c_str(); }
    const std::string& GetReadValue() const { return m_strReadValue; }
    void SetValue(const char* value) { m_strValue = value != nullptr ? value : ""; }

private:
    std::string m_strValue;
    std::string m_strReadValue;
};
