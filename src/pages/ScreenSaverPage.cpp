#include "pages/ScreenSaverPage.h"

#include <string>

#include "app/SetupApp.h"
#include "res/resource.h"
#include "support/FilePath.h"
#include "system/RegistryKey.h"
#include "system/RegistryValue.h"

IMPLEMENT_DYNAMIC(CScreenSaverPage, CWizardPage)

namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";
// Written in exactly this letter case.
const char kSaverValue[] = "Scrnsave.exe";
// A fixed name: not the product's screen-saver file setting.
const char kSaverFile[] = "VelmoSaver.scr";

} // namespace

CScreenSaverPage::CScreenSaverPage(int nextPage) : CWizardPage(IDD_SCREEN_SAVER, nextPage) {}

int CScreenSaverPage::RunPageAction()
{
    // The directory keeps its trailing backslash.
    std::string data;
    CFilePath(CFilePath::locSystem).GetFullPath(data);
    data += kSaverFile;

    // A user without desktop settings gets none from us.
    CRegistryKey desktop;
    if (desktop.Open(HKEY_CURRENT_USER, kDesktopKey, KEY_ALL_ACCESS)) {
        // Value names compare without case: deleting first lets the new value
        // carry its name in our spelling, whatever spelling was there.
        desktop.DeleteValue(kSaverValue);
        CRegistryValue saver(HKEY_CURRENT_USER, kDesktopKey, kSaverValue, data.c_str(), true);
        saver.Write();
    }
    m_nNextPage = GetSetupApp()->m_bSuccess ? IDD_FINISHED : IDD_NOT_INSTALLED;
    return m_nNextPage;
}
