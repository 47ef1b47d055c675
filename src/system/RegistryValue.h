#pragma once
// CRegistryValue: one string value of a key below a predefined root.
//
// The data is the value's text as last read or as last set. A missing key or
// value, a value of another type or a refused access leaves the default data
// in place; nothing throws and nothing is shown.

#include "system/RegistryKey.h"

#include <string>

class CRegistryValue : public CRegistryKey {
public:
    // With readNow the data starts as defaultData and root\subkey is opened
    // with full access; when that succeeds the value's current text replaces
    // the data (a failed read keeps the default). The key stays open.
    CRegistryValue(HKEY root, const char* subkey, const char* valueName,
                   const char* defaultData = nullptr, bool readNow = true);

    const std::string& GetData() const { return m_strData; }
    void SetData(const std::string& data) { m_strData = data; }

    // Creates root\subkey first when no key is open (failing when that
    // fails), then writes the data as the value.
    bool Write();

    std::string m_strSubkey;
    std::string m_strValueName;
    std::string m_strData;
};
