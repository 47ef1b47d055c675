#pragma once
// CRegistryKey: one open registry key, closed again when the object goes.
//
// Every operation keeps the system's result code in m_lLastError and returns
// true exactly when that code is 0 (ERROR_SUCCESS). Nothing throws. Only
// string values (REG_SZ) are read and written.

#include <windows.h>

#include <string>

#include "framework/RuntimeClass.h"

class CRegistryKey : public CObject {
public:
    CRegistryKey() = default;
    // Closes the key.
    ~CRegistryKey() override;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // RegOpenKeyExA; a key already held is closed first.
    bool Open(HKEY parent, const char* subkey, REGSAM access = KEY_ALL_ACCESS);
    // RegCreateKeyExA, non-volatile, default security; opens the key when it
    // exists. A key already held is closed first.
    bool Create(HKEY parent, const char* subkey, const char* keyClass = "",
                REGSAM access = KEY_ALL_ACCESS);
    // Closes the key if one is held and forgets it; true when none was held.
    bool Close();

    bool DeleteValue(const char* name);
    // Reads a REG_SZ value. On failure text is unchanged; a value of another
    // type fails with ERROR_INVALID_DATATYPE (1804).
    bool QueryString(const char* name, std::string& text);
    // Writes text as REG_SZ, its terminating zero included.
    bool SetString(const char* name, const std::string& text);

    HKEY m_hKey = nullptr;
    LONG m_lLastError = ERROR_SUCCESS;
    // The predefined root that a CRegistryValue works under; null in a plain key.
    HKEY m_hRootKey = nullptr;

private:
    bool Result(LONG code)
    {
        m_lLastError = code;
        return code == ERROR_SUCCESS;
    }
};
