#pragma once
// Points HKEY_CURRENT_USER of this process at a fresh key of its own for the
// life of the object, so that a test controls what the program finds there
// (the user's Shell Folders) without touching the shared Wine prefix, where
// other tests run at the same time.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

class CUserKeyOverride {
public:
    // With a non-empty programs folder, the Shell Folders key holds it as its
    // value "Programs"; otherwise the key is missing.
    explicit CUserKeyOverride(const std::string& programs)
        : m_strRoot("Software\\VelmoSetupTest\\" + std::to_string(GetCurrentProcessId()))
    {
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_strRoot.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &m_hRoot, nullptr),
                  ERROR_SUCCESS);
        if (!programs.empty()) {
            HKEY folders = nullptr;
            EXPECT_EQ(RegCreateKeyExA(m_hRoot, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS,
                                      nullptr, &folders, nullptr),
                      ERROR_SUCCESS);
            RegSetValueExA(folders, "Programs", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(programs.c_str()),
                           static_cast<DWORD>(programs.size() + 1));
            RegCloseKey(folders);
        }
        EXPECT_EQ(Override(m_hRoot), ERROR_SUCCESS);
    }
    ~CUserKeyOverride()
    {
        Override(nullptr);
        RegCloseKey(m_hRoot);
        // Deepest first: a key with subkeys cannot be deleted.
        std::string key = m_strRoot + "\\" + kShellFolders;
        while (key.size() > m_strRoot.size() - std::to_string(GetCurrentProcessId()).size()) {
            RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
            key.resize(key.find_last_of('\\'));
        }
    }
    CUserKeyOverride(const CUserKeyOverride&) = delete;
    CUserKeyOverride& operator=(const CUserKeyOverride&) = delete;

private:
    static constexpr const char* kShellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

    static LONG Override(HKEY key)
    {
        // Looked up at run time: the headers of this build predate it.
        using OverrideProc = LONG(WINAPI*)(HKEY, HKEY);
        auto proc = reinterpret_cast<OverrideProc>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegOverridePredefKey")));
        return proc != nullptr ? proc(HKEY_CURRENT_USER, key) : ERROR_CALL_NOT_IMPLEMENTED;
    }

    std::string m_strRoot;
    HKEY m_hRoot = nullptr;
};
