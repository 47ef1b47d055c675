#include "support/IniSection.h"

#include <windows.h>

#include <cstring>

#include "framework/AppProfile.h"
#include "support/IniValue.h"

CIniSection::CIniSection(const char* sectionName)
    : m_file(AfxGetAppProfileName()), m_strSection(sectionName != nullptr ? sectionName : "")
{
}

CIniSection::~CIniSection() = default;

void CIniSection::ResolveFile()
{
    if (m_file.IsEmpty())
        m_file = AfxGetAppProfileName();
}

void CIniSection::ReleaseKeys()
{
    m_pKeys.reset();
    m_nBufferSize = 0;
    m_nCursor = 0;
}

bool CIniSection::GetFirstKey(CIniValue& value)
{
    ResolveFile();
    ReleaseKeys();
    size_t size = kFirstBufferSize;
    for (;;) {
        // Two zero bytes beyond what the system may write: the list always
        // ends, even when the system cut it in the middle of a name.
        std::unique_ptr<char[]> keys(new char[size + 2]());
        DWORD length = GetPrivateProfileStringA(m_strSection.c_str(), nullptr, "", keys.get(),
                                                static_cast<DWORD>(size), m_file);
        m_pKeys = std::move(keys);
        m_nBufferSize = size;
        // A length of size - 2 means the list did not fit.
        if (length + 2 < size || size >= kMaxBufferSize)
            break;
        size *= 2;
    }
    return GetNextKey(value);
}

bool CIniSection::GetNextKey(CIniValue& value)
{
    ResolveFile();
    if (m_pKeys == nullptr)
        return false;
    // The list ends at an empty name (the buffer's zeroed tail ends it at the latest).
    size_t length = m_nCursor < m_nBufferSize ? std::strlen(m_pKeys.get() + m_nCursor) : 0;
    if (length == 0) {
        ReleaseKeys();
        return false;
    }
    value.m_strSection = m_strSection;
    value.m_file = m_file;
    value.m_strKey.assign(m_pKeys.get() + m_nCursor, length);
    m_nCursor += length + 1;
    return true;
}
