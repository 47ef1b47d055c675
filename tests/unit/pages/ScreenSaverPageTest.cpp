// The screen-saver page inside the real wizard, run from a test as the
// reading-setup test runs its page. HKEY_CURRENT_USER of this process is
// mapped onto a scratch key while the page works, so that the desktop
// settings of the prefix, which other tests' programs read at start-up, are
// never changed or removed.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/SetupApp.h"
#include "common/GuiDriver.h"
#include "res/resource.h"
#include "unit/support/ScratchDirectory.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

namespace {

const char kScratch[] = "Software\\VelmoSetupTests\\ScreenSaverUser";
const char kDesktop[] = "Control Panel\\Desktop";

void DeleteTree(HKEY parent, const char* subkey)
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

// RegOverridePredefKey, looked up: the headers of this build's target system
// do not declare it.
LONG OverrideCurrentUser(HKEY key)
{
    using Override = LONG(WINAPI*)(HKEY, HKEY);
    auto override = reinterpret_cast<Override>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegOverridePredefKey")));
    return override != nullptr ? override(HKEY_CURRENT_USER, key) : ERROR_CALL_NOT_IMPLEMENTED;
}

// A user of our own: the scratch key stands for HKEY_CURRENT_USER until the
// object goes, with or without a "Control Panel\Desktop" key.
class CScratchUser {
public:
    explicit CScratchUser(bool withDesktop)
    {
        DeleteTree(HKEY_CURRENT_USER, kScratch);
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &m_hUser, nullptr),
                  ERROR_SUCCESS);
        if (withDesktop) {
            HKEY desktop;
            EXPECT_EQ(RegCreateKeyExA(m_hUser, kDesktop, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                      &desktop, nullptr),
                      ERROR_SUCCESS);
            RegCloseKey(desktop);
        }
        EXPECT_EQ(OverrideCurrentUser(m_hUser), ERROR_SUCCESS);
    }
    ~CScratchUser()
    {
        OverrideCurrentUser(nullptr);
        RegCloseKey(m_hUser);
        DeleteTree(HKEY_CURRENT_USER, kScratch);
    }

    void SetString(const char* name, const std::string& text) const
    {
        HKEY desktop;
        ASSERT_EQ(RegOpenKeyExA(m_hUser, kDesktop, 0, KEY_ALL_ACCESS, &desktop), ERROR_SUCCESS);
        RegSetValueExA(desktop, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(desktop);
    }
    bool HasDesktop() const
    {
        HKEY desktop;
        if (RegOpenKeyExA(m_hUser, kDesktop, 0, KEY_READ, &desktop) != ERROR_SUCCESS)
            return false;
        RegCloseKey(desktop);
        return true;
    }
    bool HasKeys() const
    {
        char child[256];
        return RegEnumKeyA(m_hUser, 0, child, sizeof child) == ERROR_SUCCESS;
    }
    // Every value of the desktop key as "name=type:text", sorted.
    std::vector<std::string> DesktopValues() const
    {
        std::vector<std::string> out;
        HKEY desktop;
        if (RegOpenKeyExA(m_hUser, kDesktop, 0, KEY_READ, &desktop) != ERROR_SUCCESS)
            return out;
        for (DWORD i = 0;; ++i) {
            char name[256], data[512] = "";
            DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
            if (RegEnumValueA(desktop, i, name, &nameSize, nullptr, &type,
                              reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS)
                break;
            out.push_back(std::string(name) + "=" + std::to_string(type) + ":" + data);
        }
        RegCloseKey(desktop);
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    HKEY m_hUser = nullptr;
};

CWizardPage* FindPage(int id)
{
    auto it = g_mapPages.find(id);
    return it != g_mapPages.end() ? it->second : nullptr;
}

bool PumpUntilPage(int id)
{
    auto shown = [id] {
        CWizardPage* page = FindPage(id);
        return page != nullptr && g_pCurrentPage == page && page->m_hWnd != nullptr &&
               IsWindowVisible(page->m_hWnd);
    };
    PumpUntil(shown, 10000);
    PumpPending();
    return shown();
}

// The application started with /D: naming a scratch directory, its welcome
// page shown; at the end the program shuts down as it would.
class CWizardRun {
public:
    CWizardRun()
    {
        ResetQuit();
        m_app = std::make_unique<CSetupApp>();
        m_app->m_strCmdLine = "/D:" + m_directory.Path() + " ";
        m_bStarted = m_app->InitInstance() && PumpUntilPage(IDD_WELCOME);
    }
    ~CWizardRun()
    {
        if (CWnd* mainWnd = AfxGetMainWnd())
            mainWnd->DestroyWindow();
        PumpPending();
        m_app->ExitInstance();
        ResetQuit();
    }
    bool Started() const { return m_bStarted; }
    CSetupApp& App() { return *m_app; }

private:
    CScratchDirectory m_directory;
    std::unique_ptr<CSetupApp> m_app;
    bool m_bStarted = false;
};

// What the page writes: the System directory with the fixed file name.
std::string SaverValue()
{
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    return "Scrnsave.exe=" + std::to_string(REG_SZ) + ":" + system + "\\VelmoSaver.scr";
}

} // namespace

TEST(ScreenSaverPage, ReplacesAnyOldSpellingWithOneValueAndFinishes)
{
    CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
    CWizardRun run;
    ASSERT_TRUE(run.Started());
    CScratchUser user(true);
    user.SetString("SCRNSAVE.EXE", "C:\\WINDOWS\\other.scr");
    user.SetString("Wallpaper", "(none)");

    GoToPage(IDD_SCREEN_SAVER);
    ASSERT_TRUE(PumpUntilPage(IDD_FINISHED));
    EXPECT_EQ(user.DesktopValues(), (std::vector<std::string>{SaverValue(), "Wallpaper=1:(none)"}));
    EXPECT_FALSE(IsWindowVisible(FindPage(IDD_SCREEN_SAVER)->m_hWnd));
    EXPECT_EQ(FindPage(IDD_SCREEN_SAVER)->m_nNextPage, IDD_FINISHED);
    EXPECT_TRUE(run.App().m_bSuccess);
    EXPECT_EQ(warnings.Count(), 0);
}

TEST(ScreenSaverPage, AFailedCopyStillRegistersAndEndsNotInstalled)
{
    CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
    CWizardRun run;
    ASSERT_TRUE(run.Started());
    CScratchUser user(true);
    run.App().m_bSuccess = FALSE;

    GoToPage(IDD_SCREEN_SAVER);
    ASSERT_TRUE(PumpUntilPage(IDD_NOT_INSTALLED));
    EXPECT_EQ(user.DesktopValues(), std::vector<std::string>{SaverValue()});
    EXPECT_EQ(FindPage(IDD_SCREEN_SAVER)->m_nNextPage, IDD_NOT_INSTALLED);
    EXPECT_EQ(FindPage(IDD_FINISHED), nullptr);
    EXPECT_EQ(warnings.Count(), 0);
}

TEST(ScreenSaverPage, AUserWithoutDesktopSettingsGetsNoneAndSetupGoesOn)
{
    CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
    CWizardRun run;
    ASSERT_TRUE(run.Started());
    CScratchUser user(false);

    GoToPage(IDD_SCREEN_SAVER);
    ASSERT_TRUE(PumpUntilPage(IDD_FINISHED));
    EXPECT_FALSE(user.HasDesktop());
    EXPECT_FALSE(user.HasKeys()) << "not even Control Panel";
    EXPECT_EQ(warnings.Count(), 0);
}

TEST(ScreenSaverPage, TemplateTextAndButtonBar)
{
    CWizardRun run;
    ASSERT_TRUE(run.Started());
    CScratchUser user(true);
    GoToPage(IDD_SCREEN_SAVER);
    CWizardPage* page = FindPage(IDD_SCREEN_SAVER);
    ASSERT_NE(page, nullptr);
    ASSERT_NE(page->m_hWnd, nullptr);
    EXPECT_EQ(WindowText(page->m_hWnd), "VelmoSaver Setup");
    EXPECT_NE(FindWindowExA(page->m_hWnd, nullptr, "Static",
                            "Registering the Velmo Screen Saver as the default..."),
              nullptr);
    EXPECT_NE(page->m_pButtonBar, nullptr);
    ASSERT_TRUE(PumpUntilPage(IDD_FINISHED));
}
