// The file-system side of CFilePath on Windows.
#include <windows.h>

#include "support/FilePath.h"

CFilePath::CFilePath(Location location)
{
    char buffer[MAX_PATH + 1] = "";
    switch (location) {
    case locCurrent:
        GetCurrentDirectoryA(MAX_PATH, buffer);
        SetDirectory(buffer);
        break;
    case locWindows:
        GetWindowsDirectoryA(buffer, MAX_PATH);
        SetDirectory(buffer);
        break;
    case locSystem:
        GetSystemDirectoryA(buffer, MAX_PATH);
        SetDirectory(buffer);
        break;
    case locModule:
        SetModuleFileName();
        SetFileName("");
        break;
    case locTemp:
        GetTempPathA(MAX_PATH, buffer);
        m_strPath = buffer;
        SetFileName("");
        break;
    }
}

void CFilePath::SetModuleFileName()
{
    char buffer[MAX_PATH + 1] = "";
    DWORD length = GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, MAX_PATH);
    buffer[length < MAX_PATH ? length : MAX_PATH] = '\0';
    m_strPath = buffer;
}

void CFilePath::GetFullPath(std::string& full) const
{
    char buffer[MAX_PATH + 1] = "";
    char* filePart = nullptr;
    DWORD length = GetFullPathNameA(m_strPath.c_str(), MAX_PATH, buffer, &filePart);
    full = (length > 0 && length < MAX_PATH) ? buffer : "";
}

bool CFilePath::Exists() const
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(m_strPath.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return true;
}
