#pragma once
// CStartMenuGroups: the program items of an installation. From version 4 of
// the operating system on, an item is a shell-link file in a folder named
// after the program group inside the user's Start Menu Programs folder;
// before it, every operation goes to Program Manager over DDE. The choice is
// made once, at construction.
//
// Nothing is reported to the user: every operation returns false on failure.

#include <string>

#include "support/FilePath.h"
#include "system/ComInterface.h"
#include "system/ProgramManager.h"

struct IShellLinkA;
struct IPersistFile;

class CStartMenuGroups : public CProgramManager {
public:
    // Decides between shell links and DDE and finds the Programs folder: the
    // value "Programs" of the user's Shell Folders key, or, when that is
    // missing or empty, Start Menu\Programs in the Windows directory.
    CStartMenuGroups();
    // Releases the shell link of the last shortcut (in DDE mode: ends the
    // conversation). The component library stays initialised.
    ~CStartMenuGroups() override;

    // DDE mode: AddItem with every argument but directory. Shell-link mode:
    // writes <Programs>\<group>\<item>.lnk (the group folder created as
    // needed) pointing at programPath with arguments, described by the item
    // name; icon, directory and show commands are not used. The item name is
    // made a safe file title first (MakeLinkTitle), and the extension rule of
    // SetExtension applies: "Saver 1.0" gives "Saver 1.lnk", ".NET Tool"
    // (all extension) gives ".lnk". An existing
    // file is overwritten. True when the link was saved.
    virtual bool AddShortcut(const char* group, const char* programPath, const char* arguments,
                             const char* itemName, const char* iconPath, int iconIndex,
                             const char* directory, int showCommand, int secondShowCommand);
    // Shell-link mode: deletes the item's link file, read-only or not.
    bool RemoveItem(const char* group, const char* itemName) override;
    // Shell-link mode: removes the group folder, which must be empty.
    bool RemoveGroup(const char* group) override;

    bool UsesShellLinks() const { return m_bUseShellLinks; }
    // The Programs folder, ending in a backslash.
    const CFilePath& GetProgramsFolder() const { return m_pathPrograms; }

    // An item name as a file title that stays inside its folder: each of
    // \ / : * ? " < > | and control characters becomes '_'; a name of nothing
    // but dots and blanks (or an empty one) becomes as many '_' (at least
    // one); a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CLOCK$) before
    // the first dot gets a '_' after it. Double-byte characters stay whole.
    static std::string MakeLinkTitle(const char* itemName);

private:
    // <Programs>\<group>\ : the folder that holds the group's links.
    CFilePath GetGroupFolder(const char* group) const;
    // The link file of an item in the group folder; false when the folder
    // leaves no room for a name within the longest path.
    bool MakeLinkPath(const char* group, const char* itemName, CFilePath& link) const;
    void ReleaseLink();

    bool m_bUseShellLinks;
    bool m_bComInitialised = false;
    CComInterface<IShellLinkA> m_pShellLink;
    CComInterface<IPersistFile> m_pPersistFile;
    CFilePath m_pathPrograms;
};
