#pragma once
// Reading back what the shortcut step wrote: a link file's fields through the
// shell's own IShellLinkA, and the names in a folder.

#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

struct SLinkFields {
    std::string path, arguments, description, iconPath, directory;
    int iconIndex = -1;
    int showCommand = -1;
};

inline SLinkFields ReadLink(const std::string& file)
{
    SLinkFields fields;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    std::wstring wide(file.begin(), file.end());
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        ADD_FAILURE() << "no shell link object";
        return fields;
    }
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(wide.c_str(), STGM_READ))) {
        char text[MAX_PATH * 2] = "";
        link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
        fields.path = text;
        text[0] = '\0';
        link->GetArguments(text, sizeof text);
        fields.arguments = text;
        text[0] = '\0';
        link->GetDescription(text, sizeof text);
        fields.description = text;
        text[0] = '\0';
        link->GetIconLocation(text, sizeof text, &fields.iconIndex);
        fields.iconPath = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, sizeof text);
        fields.directory = text;
        link->GetShowCmd(&fields.showCommand);
    } else {
        ADD_FAILURE() << "cannot load " << file;
    }
    if (persist != nullptr)
        persist->Release();
    link->Release();
    return fields;
}

// The names in a folder (no "." or ".."), sorted, each followed by '|'.
inline std::string FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names)
        text += name + "|";
    return text;
}
