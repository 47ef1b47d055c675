#include "common/ShellLink.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

std::string ReadShortcut(const std::string& file)
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
