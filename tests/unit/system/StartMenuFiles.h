#pragma once
// What the shortcut tests need around the program: HKEY_CURRENT_USER of this
// process pointed at a fresh key of its own (so that the test decides what the
// user's Shell Folders hold without touching the shared Wine prefix, where
// other tests run at the same time), and link files read back through the
// shell's own IShellLinkA.

#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

class CUserKeyOverride {
public:
    // A non-empty programs folder becomes the Shell Folders value "Programs";
    // otherwise the key is missing.
    explicit CUserKeyOverride(const std::string& programs)
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, m_strRoot.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &m_hRoot, nullptr);
        HKEY folders = nullptr;
        if (!programs.empty() &&
            RegCreateKeyExA(m_hRoot, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &folders, nullptr) == ERROR_SUCCESS) {
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
        for (; key.size() >= m_strRoot.size(); key.resize(key.find_last_of('\\')))
            RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
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

    std::string m_strRoot = "Software\\VelmoSetupTest" + std::to_string(GetCurrentProcessId());
    HKEY m_hRoot = nullptr;
};

// A link's fields, '|'-separated: path, arguments, description, icon path and
// index, working directory, show command.
inline std::string ReadLink(const std::string& file)
{
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    std::wstring wide(file.begin(), file.end());
    std::string fields = "cannot load " + file;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                     reinterpret_cast<void**>(&link));
    if (link != nullptr &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(wide.c_str(), STGM_READ))) {
        char path[MAX_PATH] = "", arguments[MAX_PATH] = "", description[MAX_PATH] = "";
        char icon[MAX_PATH] = "", directory[MAX_PATH] = "";
        int index = -1, show = -1;
        link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetArguments(arguments, MAX_PATH);
        link->GetDescription(description, MAX_PATH);
        link->GetIconLocation(icon, MAX_PATH, &index);
        link->GetWorkingDirectory(directory, MAX_PATH);
        link->GetShowCmd(&show);
        fields = std::string(path) + "|" + arguments + "|" + description + "|" + icon + "|" +
                 std::to_string(index) + "|" + directory + "|" + std::to_string(show);
    }
    if (persist != nullptr)
        persist->Release();
    if (link != nullptr)
        link->Release();
    return fields;
}

// The names in a folder, sorted, each followed by '|'.
inline std::string FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &found)) {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
            names.push_back(found.cFileName);
    }
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names)
        text += name + "|";
    return text;
}
