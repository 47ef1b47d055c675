#include "support/IniValue.h"

#include <windows.h>

#include "framework/AppProfile.h"

void CIniValueBase::ResolveFile()
{
    if (m_file.IsEmpty())
        m_file = AfxGetAppProfileName();
}

bool CIniValue::Read()
{
    ResolveFile();
    char buffer[kMaxValue + 2] = "";
    DWORD length = GetPrivateProfileStringA(m_strSection.c_str(), m_strKey.c_str(),
                                            m_strValue.c_str(), buffer, kMaxValue + 1, m_file);
    buffer[length <= kMaxValue ? length : kMaxValue] = '\0';
    m_strValue = buffer;
    m_strReadValue = m_strValue;
    return length > 0;
}

bool CIniValue::Write()
{
    ResolveFile();
    return WritePrivateProfileStringA(m_strSection.c_str(), m_strKey.c_str(), m_strValue.c_str(),
                                      m_file) != FALSE;
}
