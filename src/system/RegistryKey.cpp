#include "system/RegistryKey.h"

#include <cstring>

CRegistryKey::~CRegistryKey()
{
    Close();
}

bool CRegistryKey::Open(HKEY parent, const char* subkey, REGSAM access)
{
    Close();
    return Result(RegOpenKeyExA(parent, subkey, 0, access, &m_hKey));
}

bool CRegistryKey::Create(HKEY parent, const char* subkey, const char* keyClass, REGSAM access)
{
    Close();
    DWORD disposition = 0;
    return Result(RegCreateKeyExA(parent, subkey, 0, const_cast<char*>(keyClass),
                                  REG_OPTION_NON_VOLATILE, access, nullptr, &m_hKey, &disposition));
}

bool CRegistryKey::Close()
{
    if (m_hKey == nullptr)
        return Result(ERROR_SUCCESS);
    HKEY key = m_hKey;
    // Forgotten even when closing fails: the handle is no use any more.
    m_hKey = nullptr;
    return Result(RegCloseKey(key));
}

bool CRegistryKey::DeleteValue(const char* name)
{
    return Result(RegDeleteValueA(m_hKey, name));
}

bool CRegistryKey::QueryString(const char* name, std::string& text)
{
    DWORD type = 0;
    DWORD size = 0;
    if (!Result(RegQueryValueExA(m_hKey, name, nullptr, &type, nullptr, &size)))
        return false;
    if (type != REG_SZ)
        return Result(ERROR_INVALID_DATATYPE);
    // One byte more than reported, so that a value stored without its zero
    // still ends in one.
    std::string buffer(size + 1, '\0');
    DWORD read = size;
    if (!Result(RegQueryValueExA(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]),
                                 &read)))
        return false;
    // The value may have changed type between the two calls.
    if (type != REG_SZ)
        return Result(ERROR_INVALID_DATATYPE);
    buffer.resize(std::strlen(buffer.c_str()));
    text = buffer;
    return true;
}

bool CRegistryKey::SetString(const char* name, const std::string& text)
{
    return Result(RegSetValueExA(m_hKey, name, 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1)));
}
