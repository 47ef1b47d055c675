#pragma once
// Page 104: where the product goes. It proposes destination 0's name on the
// first fixed disk; the user may edit it or pick a folder with Browse. Next
// creates the directory with its missing parents, makes it destination 0,
// derives the other destinations from it, moves to the copy page, and selects
// the groups of the typical setup (without "System95" on Windows NT).

#include <string>

#include "wizard/WizardPage.h"

class CSelectDirectoryPage : public CWizardPage {
    DECLARE_DYNAMIC(CSelectDirectoryPage)
public:
    explicit CSelectDirectoryPage(int nextPage);

    // Proposes the location, unless the user has been here before: coming
    // back to the page keeps the text the user left.
    BOOL OnInitDialog() override;
    // Next. A directory that cannot be created is reported with string 7 and
    // the page stays.
    void OnOK() override;
    // Lets the user pick the location in the folder browser.
    void OnBrowse();

    std::string m_strLocation;

    // The proposal: destination 0's name in the root of the first fixed
    // disk; without a fixed disk, on the drive that holds the Windows
    // directory.
    static std::string ProposeLocation(const std::string& name);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
