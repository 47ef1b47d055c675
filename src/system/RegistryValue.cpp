#include "system/RegistryValue.h"

CRegistryValue::CRegistryValue(HKEY root, const char* subkey, const char* valueName,
                               const char* defaultData, bool readNow)
    : m_strSubkey(subkey), m_strValueName(valueName)
{
    m_hRootKey = root;
    if (!readNow)
        return;
    m_strData = defaultData != nullptr ? defaultData : "";
    if (Open(m_hRootKey, m_strSubkey.c_str(), KEY_ALL_ACCESS))
        QueryString(m_strValueName.c_str(), m_strData);
}

bool CRegistryValue::Write()
{
    if (m_hKey == nullptr && !Create(m_hRootKey, m_strSubkey.c_str(), "", KEY_ALL_ACCESS))
        return false;
    return SetString(m_strValueName.c_str(), m_strData);
}
