#include "system/StartMenuGroups.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "support/Mbcs.h"
#include "system/PlatformChecks.h"
#include "system/RegistryValue.h"

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kProgramsValue[] = "Programs";
const char kProgramsUnderWindows[] = "\\Start Menu\\Programs";
const char kLinkExtension[] = "lnk";

const char* OrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

bool IsForbiddenInFileName(unsigned char c)
{
    return c < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr;
}

// Names that the system takes for a device whatever extension follows them.
bool IsDeviceName(std::string base)
{
    if (base.empty())
        return false;
    CharUpperBuffA(&base[0], static_cast<DWORD>(base.size()));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};
    for (const char* device : kDevices) {
        if (base == device)
            return true;
    }
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

} // namespace

CStartMenuGroups::CStartMenuGroups() : m_bUseShellLinks(IsVersion4OrLater())
{
    CRegistryValue programs(HKEY_CURRENT_USER, kShellFolders, kProgramsValue, nullptr, true);
    if (!programs.GetData().empty()) {
        m_pathPrograms.SetDirectory(programs.GetData().c_str());
    } else {
        m_pathPrograms = CFilePath(CFilePath::locWindows);
        m_pathPrograms.AppendDir(kProgramsUnderWindows);
    }
}

CStartMenuGroups::~CStartMenuGroups()
{
    ReleaseLink();
}

void CStartMenuGroups::ReleaseLink()
{
    // The file interface first: it is a view of the shell link.
    m_pPersistFile.Release();
    m_pShellLink.Release();
}

std::string CStartMenuGroups::MakeLinkTitle(const char* itemName)
{
    std::string title = OrEmpty(itemName);
    bool onlyDotsAndBlanks = true;
    for (size_t i = 0; i < title.size(); i = Mbcs::NextChar(title, i)) {
        unsigned char c = static_cast<unsigned char>(title[i]);
        if (Mbcs::IsLeadByte(c) && i + 1 < title.size()) {
            onlyDotsAndBlanks = false;
            continue;
        }
        if (IsForbiddenInFileName(c))
            title[i] = '_';
        if (c != '.' && c != ' ')
            onlyDotsAndBlanks = false;
    }
    // "..", "." and the like would name the folder itself or its parent.
    if (onlyDotsAndBlanks)
        return std::string(title.empty() ? 1 : title.size(), '_');

    // The system ignores blanks after a device name, and any extension.
    size_t baseEnd = std::min(title.find('.'), title.size());
    while (baseEnd > 0 && title[baseEnd - 1] == ' ')
        --baseEnd;
    if (IsDeviceName(title.substr(0, baseEnd)))
        title.insert(baseEnd, "_");
    return title;
}

CFilePath CStartMenuGroups::GetGroupFolder(const char* group) const
{
    CFilePath folder = m_pathPrograms;
    folder.AppendDir(group);
    return folder;
}

bool CStartMenuGroups::MakeLinkPath(const char* group, const char* itemName, CFilePath& link) const
{
    CFilePath folder = GetGroupFolder(group);
    const std::string& folderText = folder.GetString();
    // Room for the title and ".lnk" within the longest path: a longer path
    // would be cut, perhaps inside the folder name.
    size_t suffix = 1 + std::strlen(kLinkExtension);
    if (folderText.size() + suffix + 1 > CFilePath::kMaxPath)
        return false;
    std::string title = MakeLinkTitle(itemName);
    title.resize(Mbcs::FitLength(title, CFilePath::kMaxPath - folderText.size() - suffix));
    link = folder;
    link.SetFileTitle(title.c_str());
    link.SetExtension(kLinkExtension);
    // Whatever the name held, the link is a file directly in the folder; a
    // name whose only dot comes first is all extension and leaves ".lnk".
    const std::string& linkText = link.GetString();
    return linkText.size() >= folderText.size() + suffix &&
           linkText.compare(0, folderText.size(), folderText) == 0 &&
           linkText.find_first_of("\\/", folderText.size()) == std::string::npos;
}

bool CStartMenuGroups::AddShortcut(const char* group, const char* programPath,
                                   const char* arguments, const char* itemName,
                                   const char* iconPath, int iconIndex, const char* /*directory*/,
                                   int showCommand, int secondShowCommand)
{
    if (!m_bUseShellLinks)
        return AddItem(group, programPath, arguments, itemName, iconPath, iconIndex, showCommand,
                       secondShowCommand);

    ReleaseLink();
    if (!m_bComInitialised)
        m_bComInitialised = SUCCEEDED(CoInitialize(nullptr));
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                m_pShellLink.ReceiveInto())) ||
        FAILED(m_pShellLink->QueryInterface(IID_IPersistFile, m_pPersistFile.ReceiveInto()))) {
        ReleaseLink();
        return false;
    }

    // A folder that cannot be made shows as a failed save.
    GetGroupFolder(group).CreateDirectoryTree(true);
    CFilePath link;
    if (!MakeLinkPath(group, itemName, link))
        return false;

    m_pShellLink->SetPath(OrEmpty(programPath));
    m_pShellLink->SetArguments(OrEmpty(arguments));
    m_pShellLink->SetDescription(OrEmpty(itemName));

    const std::string& path = link.GetString();
    int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return false;
    std::vector<wchar_t> widePath(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath.data(), length);
    return SUCCEEDED(m_pPersistFile->Save(widePath.data(), TRUE));
}

bool CStartMenuGroups::RemoveItem(const char* group, const char* itemName)
{
    if (!m_bUseShellLinks)
        return CProgramManager::RemoveItem(group, itemName);
    CFilePath link;
    return MakeLinkPath(group, itemName, link) && link.Delete(true);
}

bool CStartMenuGroups::RemoveGroup(const char* group)
{
    if (!m_bUseShellLinks)
        return CProgramManager::RemoveGroup(group);
    return GetGroupFolder(group).RemoveDir();
}
