#pragma once
// HKEY_CURRENT_USER of this process mapped onto a fresh key of its own while
// the object lives: the test decides what the user's settings hold, and the
// shared Wine prefix, whose settings other tests' programs read at the same
// time, is never changed.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

class CScratchUser {
public:
    CScratchUser()
    {
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_strRoot.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &m_hRoot, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(Override(m_hRoot), ERROR_SUCCESS);
    }
    ~CScratchUser()
    {
        Override(nullptr);
        RegCloseKey(m_hRoot);
        DeleteTree(HKEY_CURRENT_USER, m_strRoot.c_str());
    }
    CScratchUser(const CScratchUser&) = delete;
    CScratchUser& operator=(const CScratchUser&) = delete;

    // Sets a string value, creating its key when it is missing.
    void SetString(const char* key, const char* name, const std::string& text) const
    {
        HKEY sub = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(m_hRoot, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
            ERROR_SUCCESS);
        RegSetValueExA(sub, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(sub);
    }

    // Every value of a key as "name=type:text|", sorted by name; "(no key)"
    // when the key is missing.
    std::string Values(const char* key) const
    {
        HKEY sub;
        if (RegOpenKeyExA(m_hRoot, key, 0, KEY_READ, &sub) != ERROR_SUCCESS)
            return "(no key)";
        std::vector<std::string> values;
        for (DWORD i = 0;; ++i) {
            char name[256], data[512] = "";
            DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
            if (RegEnumValueA(sub, i, name, &nameSize, nullptr, &type,
                              reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS)
                break;
            values.push_back(std::string(name) + "=" + std::to_string(type) + ":" + data + "|");
        }
        RegCloseKey(sub);
        std::sort(values.begin(), values.end());
        std::string text;
        for (const std::string& value : values)
            text += value;
        return text;
    }

private:
    static LONG Override(HKEY key)
    {
        // Looked up at run time: the headers of this build predate it.
        using OverrideProc = LONG(WINAPI*)(HKEY, HKEY);
        auto proc = reinterpret_cast<OverrideProc>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegOverridePredefKey")));
        return proc != nullptr ? proc(HKEY_CURRENT_USER, key) : ERROR_CALL_NOT_IMPLEMENTED;
    }

    // A key with subkeys cannot be deleted: the deepest go first.
    static void DeleteTree(HKEY parent, const char* subkey)
    {
        HKEY key;
        if (RegOpenKeyExA(parent, subkey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        char child[256];
        while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS)
            DeleteTree(key, child);
        RegCloseKey(key);
        RegDeleteKeyA(parent, subkey);
    }

    std::string m_strRoot = "Software\\VelmoSetupTest" + std::to_string(GetCurrentProcessId());
    HKEY m_hRoot = nullptr;
};
