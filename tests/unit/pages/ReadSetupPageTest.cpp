// The reading-setup page inside the real wizard: the profile read once into
// the application's collections, the hand-over past the install conditions,
// a profile that cannot be read, and a cancel while the profile is read.
#include <gtest/gtest.h>

#include "framework/ResourceString.h"
#include "res/StringIds.h"
#include "unit/pages/WizardTestHelpers.h"

namespace {

const int kDestinationPage = 104;
const int kCopyPage = 108;

// A profile as a product's maker writes one: derived destinations, a fixed
// path, a destination under the System directory, the groups Main and
// System95 and one whose file list is missing, plain files and archives on
// diskettes 1 and 2, marked items, targets and diskette labels.
const char kRealisticProfile[] = "; Velmo Screen Saver\r\n"
                                 "[destinations]\r\n"
                                 "0=VELMO\r\n"
                                 "1=BIN|0\r\n"
                                 "2=HELP|1\r\n"
                                 "3=FONTS||C:\\FONTS\\\r\n"
                                 "4=SHARED|-3\r\n"
                                 "\r\n"
                                 "[groups]\r\n"
                                 "Main=Velmo Screen Saver|The screen saver itself|1|1|1\r\n"
                                 "System95=Windows 95 extras|Only for Windows 95|0|1|1\r\n"
                                 "Samples=Sample pictures|Not on the diskettes yet|0|0|1\r\n"
                                 "\r\n"
                                 "[Main]\r\n"
                                 "SAVER.ARC=900|1|3|2|0|screen saver and settings\r\n"
                                 "README.TXT=1200|0|1|1|0|read-me\r\n"
                                 "LICENSE.TXT=800|0|1|-1|2|licence\r\n"
                                 "\r\n"
                                 "[System95]\r\n"
                                 "VELMO95.DLL=4096|0|1|1|-3|helper\r\n"
                                 "DATA.ARC=900|1|12|-2|0|\r\n"
                                 "\r\n"
                                 "[targets]\r\n"
                                 "saver.exe=2|7|1|Velmo Screen Saver|/s|VELMO.ICO|\r\n"
                                 "README.TXT=0|0|0|Velmo Read Me|||\r\n"
                                 "\r\n"
                                 "[diskettes]\r\n"
                                 "1=Velmo Screen Saver Disk 1|first\r\n"
                                 "2=Velmo Screen Saver Disk 2|\r\n";

std::string WithSlash(const char* directory)
{
    std::string path = directory;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

// Closes the reading page from its system menu as soon as its work starts:
// the close is queued behind the page-action message, so it reaches the page
// through the pumping between the loads, as a user's click would.
class CCloseWhenReadingStarts {
public:
    CCloseWhenReadingStarts()
    {
        s_bPosted = false;
        m_hook = SetWindowsHookExA(WH_GETMESSAGE, &Hook, nullptr, GetCurrentThreadId());
    }
    CCloseWhenReadingStarts(const CCloseWhenReadingStarts&) = delete;
    CCloseWhenReadingStarts& operator=(const CCloseWhenReadingStarts&) = delete;
    ~CCloseWhenReadingStarts() { UnhookWindowsHookEx(m_hook); }

    static bool Posted() { return s_bPosted; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        CWizardPage* page = FindPage(IDD_READ_SETUP);
        if (code == HC_ACTION && wParam == PM_REMOVE && !s_bPosted && page != nullptr &&
            msg->hwnd == page->m_hWnd && msg->message == WM_RUNPAGEACTION) {
            s_bPosted = true;
            PostMessageA(msg->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline bool s_bPosted = false;
    HHOOK m_hook;
};

class ReadSetupPage : public ::testing::Test {
protected:
    // Starts the wizard with a stand-in destination page and goes Next from
    // the welcome page.
    void StartAndLeaveWelcome(const std::string& switches = std::string())
    {
        ASSERT_TRUE(m_run.Start(switches));
        new CStandInPage(kDestinationPage, kCopyPage);
        ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_WELCOME));
        CWizardRun::ClickBar(IDD_WELCOME, IDC_NEXT);
    }

    CDialogAnswerer m_answers;
    CWizardRun m_run;
};

TEST_F(ReadSetupPage, LoadsARealisticProfileIntoTheFiveCollections)
{
    m_run.WriteProfile(kRealisticProfile);
    StartAndLeaveWelcome();
    ASSERT_TRUE(CWizardRun::PumpUntilPage(kDestinationPage));
    const CSetupApp& app = m_run.App();

    // Destinations: the profile's five, each with name, parent and own path as
    // written, besides the three predefined ones, which keep the system's
    // directories. Nothing is resolved yet: that waits for the main directory.
    const CDestinationMap& destinations = *app.m_pDestinations;
    EXPECT_EQ(destinations.GetCount(), 8u);
    struct Expected {
        int16_t number;
        const char* name;
        int16_t parent;
        const char* path;
    } expected[] = {{0, "VELMO", -1, ""},
                    {1, "BIN", 0, ""},
                    {2, "HELP", 1, ""},
                    {3, "FONTS", 0, "C:\\FONTS\\"},
                    {4, "SHARED", -3, ""}};
    for (const Expected& e : expected) {
        const CDestination* destination = destinations.Lookup(e.number);
        ASSERT_NE(destination, nullptr) << e.number;
        EXPECT_EQ(destination->m_strName, e.name) << e.number;
        EXPECT_EQ(destination->m_nParent, e.parent) << e.number;
        EXPECT_EQ(destination->m_path.GetString(), e.path) << e.number;
    }
    char directory[MAX_PATH] = "";
    GetWindowsDirectoryA(directory, sizeof directory);
    EXPECT_STRCASEEQ(destinations.GetDestinationPath(-2).GetString().c_str(),
                     WithSlash(directory).c_str());
    GetSystemDirectoryA(directory, sizeof directory);
    EXPECT_STRCASEEQ(destinations.GetDestinationPath(-3).GetString().c_str(),
                     WithSlash(directory).c_str());
    EXPECT_FALSE(destinations.GetDestinationPath(-4).IsEmpty());

    // Groups: three, in the profile's order, with their texts and setup-type
    // flags, none selected yet (the destination page selects them).
    const CFileGroupMap& groups = *app.m_pGroups;
    ASSERT_EQ(groups.GetCount(), 3u);
    const CFileGroup* main = groups.Lookup("Main");
    const CFileGroup* system95 = groups.Lookup("System95");
    const CFileGroup* samples = groups.Lookup("Samples");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(system95, nullptr);
    ASSERT_NE(samples, nullptr);
    EXPECT_EQ(groups.Lookup("MAIN"), nullptr);
    EXPECT_EQ(main->m_strText0, "Velmo Screen Saver");
    EXPECT_EQ(main->m_strText1, "The screen saver itself");
    EXPECT_TRUE(main->m_bInType1 && main->m_bInType2 && main->m_bInType3);
    EXPECT_TRUE(!system95->m_bInType1 && system95->m_bInType2 && system95->m_bInType3);
    EXPECT_TRUE(!samples->m_bInType1 && !samples->m_bInType2 && samples->m_bInType3);
    for (const auto& group : groups)
        EXPECT_FALSE(group->m_bSelected) << group->m_strName;

    // Items: by diskette, unmarked before marked on each, reading order kept
    // among equals; the group without a file list adds nothing.
    struct Item {
        const char* source;
        int32_t size;
        int32_t kind;
        int32_t files;
        int32_t diskette;
        bool marked;
        int32_t destination;
        const char* text5;
        const CFileGroup* group;
    } items[] = {
        {"README.TXT", 1200, 0, 1, 1, false, 0, "read-me", main},
        {"VELMO95.DLL", 4096, 0, 1, 1, false, -3, "helper", system95},
        {"LICENSE.TXT", 800, 0, 1, 1, true, 2, "licence", main},
        {"SAVER.ARC", 900, 1, 3, 2, false, 0, "screen saver and settings", main},
        {"DATA.ARC", 900, 1, 12, 2, true, 0, "", system95},
    };
    const CInstallItemList& list = *app.m_pFileList;
    ASSERT_EQ(list.GetCount(), sizeof items / sizeof items[0]);
    auto it = list.begin();
    for (const Item& e : items) {
        const CDisketteMultiFile& item = **it++;
        SCOPED_TRACE(e.source);
        EXPECT_EQ(item.m_strSourceName, e.source);
        EXPECT_EQ(item.m_nSize, e.size);
        EXPECT_EQ(item.m_nKind, e.kind);
        EXPECT_EQ(item.m_nFileCount, e.files);
        EXPECT_EQ(item.m_nDiskette, e.diskette);
        EXPECT_EQ(item.m_bMarked, e.marked);
        EXPECT_EQ(item.m_nDestination, e.destination);
        EXPECT_EQ(item.m_strText5, e.text5);
        EXPECT_EQ(&item.GetGroup(), e.group);
    }

    // Targets: found in any case, every field as written, no command path yet.
    const CShortcutTargetMap& targets = *app.m_pTargets;
    EXPECT_EQ(targets.GetCount(), 2u);
    const CShortcutTarget* saver = targets.FindTarget("SAVER.EXE");
    ASSERT_NE(saver, nullptr);
    EXPECT_EQ(saver->m_strFileName, "saver.exe");
    EXPECT_EQ(saver->m_nIconIndex, 2);
    EXPECT_EQ(saver->m_nField1, 7);
    EXPECT_TRUE(saver->m_bMinimized);
    EXPECT_EQ(saver->m_strName, "Velmo Screen Saver");
    EXPECT_EQ(saver->m_strArguments, "/s");
    EXPECT_EQ(saver->m_strIconFile, "VELMO.ICO");
    EXPECT_TRUE(saver->m_commandPath.IsEmpty());
    const CShortcutTarget* readme = targets.FindTarget("readme.txt");
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(readme->m_strName, "Velmo Read Me");
    EXPECT_FALSE(readme->m_bMinimized);
    EXPECT_TRUE(readme->m_strIconFile.empty());

    // Diskettes: labels by number; a number without an entry has none.
    const CDisketteArray& diskettes = *app.m_pDiskettes;
    ASSERT_NE(diskettes.GetDisketteLabel(1), nullptr);
    EXPECT_STREQ(diskettes.GetDisketteLabel(1), "Velmo Screen Saver Disk 1");
    ASSERT_NE(diskettes.GetDisketteLabel(2), nullptr);
    EXPECT_STREQ(diskettes.GetDisketteLabel(2), "Velmo Screen Saver Disk 2");
    EXPECT_EQ(diskettes.GetDisketteLabel(3), nullptr);

    EXPECT_TRUE(m_answers.m_warnings.empty());
    EXPECT_TRUE(app.m_bSuccess);
}

TEST_F(ReadSetupPage, HandsOverByItselfPastTheInstallConditions)
{
    m_run.WriteProfile(kRealisticProfile);
    StartAndLeaveWelcome();
    ASSERT_TRUE(CWizardRun::PumpUntilPage(kDestinationPage));

    CWizardPage* reading = FindPage(IDD_READ_SETUP);
    ASSERT_NE(reading, nullptr);
    EXPECT_NE(reading->m_hWnd, nullptr);
    EXPECT_FALSE(IsWindowVisible(reading->m_hWnd));
    EXPECT_TRUE(reading->m_bLeft);
    EXPECT_EQ(reading->m_nPrevPage, IDD_WELCOME);
    // The page has no buttons of its own and no button bar.
    EXPECT_EQ(reading->m_pButtonBar, nullptr);
    EXPECT_EQ(GetDlgItem(reading->m_hWnd, IDOK), nullptr);

    // The conditions page was asked and passed over: it never had a window.
    CWizardPage* conditions = FindPage(IDD_INSTALL_CONDITIONS);
    ASSERT_NE(conditions, nullptr);
    EXPECT_EQ(conditions->m_hWnd, nullptr);
    EXPECT_EQ(conditions->m_nNextPage, kDestinationPage);

    // The destination page comes from the reading page.
    EXPECT_EQ(FindPage(kDestinationPage)->m_nPrevPage, IDD_READ_SETUP);
    EXPECT_FALSE(IsPageVisible(IDD_WELCOME));
    EXPECT_TRUE(m_answers.m_questions.empty());
}

TEST_F(ReadSetupPage, IsReadOnceBackAndForthThroughTheWelcomePage)
{
    m_run.WriteProfile(kRealisticProfile);
    StartAndLeaveWelcome();
    ASSERT_TRUE(CWizardRun::PumpUntilPage(kDestinationPage));
    const size_t items = m_run.App().m_pFileList->GetCount();
    ASSERT_EQ(items, 5u);

    // Back from the destination page passes over the reading and conditions
    // pages and lands on the welcome page ...
    CWizardRun::ClickBar(kDestinationPage, IDC_BACK);
    ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_WELCOME));
    EXPECT_FALSE(IsPageVisible(IDD_READ_SETUP));

    // ... and Next from there passes over them again, without a second read:
    // the loads add to the collections, so a second read would show here.
    CWizardRun::ClickBar(IDD_WELCOME, IDC_NEXT);
    ASSERT_TRUE(CWizardRun::PumpUntilPage(kDestinationPage));
    EXPECT_FALSE(IsPageVisible(IDD_READ_SETUP));
    EXPECT_EQ(m_run.App().m_pFileList->GetCount(), items);
    EXPECT_EQ(m_run.App().m_pGroups->GetCount(), 3u);
    EXPECT_EQ(FindPage(IDD_INSTALL_CONDITIONS)->m_hWnd, nullptr);
}

// How the profile fails to be read in each case.
enum class BadProfile { missing, noDestinationsSection, emptyDestinations, directory };

class ReadSetupPageBadProfile : public ReadSetupPage,
                                public ::testing::WithParamInterface<BadProfile> {};

TEST_P(ReadSetupPageBadProfile, EndsOnTheNotInstalledPageAfterTheWarning)
{
    switch (GetParam()) {
    case BadProfile::missing:
        break;
    case BadProfile::noDestinationsSection:
        m_run.WriteProfile("[groups]\r\nMain=a|b|1|1|1\r\n[Main]\r\nREADME.TXT=10|0|1|1|0|\r\n");
        break;
    case BadProfile::emptyDestinations:
        m_run.WriteProfile("[destinations]\r\n; none yet\r\n[groups]\r\nMain=a|b|1|1|1\r\n");
        break;
    case BadProfile::directory:
        CreateDirectoryA(m_run.Directory().File(CWizardRun::ProfileName()).c_str(), nullptr);
        break;
    }
    StartAndLeaveWelcome();
    ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_NOT_INSTALLED));

    ASSERT_EQ(m_answers.m_warnings.size(), 1u);
    const SeenWarning& warning = m_answers.m_warnings[0];
    EXPECT_EQ(warning.headline, ResourceString(IDS_SETUP_CANNOT_CONTINUE));
    EXPECT_EQ(warning.title, ResourceString(IDS_PROFILE_ERROR_TITLE));
    EXPECT_EQ(warning.title, "Incomplete or missing profile.");
    EXPECT_EQ(warning.description, ResourceString(IDS_PROFILE_ERROR_DESCRIPTION));
    EXPECT_EQ(warning.info, "9.0 (CInstallProfileException)");

    EXPECT_FALSE(m_run.App().m_bSuccess);
    EXPECT_FALSE(IsPageVisible(IDD_READ_SETUP));
    EXPECT_EQ(FindPage(IDD_NOT_INSTALLED)->m_nPrevPage, IDD_READ_SETUP);
    // Nothing past the destinations was read.
    EXPECT_EQ(m_run.App().m_pGroups->GetCount(), 0u);
    EXPECT_EQ(FindPage(kDestinationPage)->m_hWnd, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Profiles, ReadSetupPageBadProfile,
                         ::testing::Values(BadProfile::missing, BadProfile::noDestinationsSection,
                                           BadProfile::emptyDestinations, BadProfile::directory));

TEST_F(ReadSetupPage, ACancelAcceptedWhileReadingLeavesTheNotInstalledPageShown)
{
    m_run.WriteProfile(kRealisticProfile);
    CCloseWhenReadingStarts closer;
    StartAndLeaveWelcome();
    ASSERT_TRUE(CWizardRun::PumpUntilPage(IDD_NOT_INSTALLED));
    ASSERT_TRUE(CCloseWhenReadingStarts::Posted());
    // Let whatever the reading page still had to do run out.
    CWizardRun::PumpUntil([] { return false; }, 300);

    ASSERT_EQ(m_answers.m_questions.size(), 1u);
    EXPECT_NE(m_answers.m_questions[0].find(ResourceString(IDS_CONFIRM_EXIT)), std::string::npos)
        << m_answers.m_questions[0];
    EXPECT_EQ(CurrentPageId(), IDD_NOT_INSTALLED);
    EXPECT_TRUE(IsPageVisible(IDD_NOT_INSTALLED));
    EXPECT_FALSE(IsPageVisible(IDD_READ_SETUP));
    EXPECT_FALSE(m_run.App().m_bSuccess);
    EXPECT_TRUE(m_answers.m_warnings.empty());
    // The cancel came after the destinations; the rest was not read.
    EXPECT_GT(m_run.App().m_pDestinations->GetCount(), 3u);
    EXPECT_EQ(m_run.App().m_pGroups->GetCount(), 0u);
    EXPECT_EQ(m_run.App().m_pFileList->GetCount(), 0u);
    EXPECT_EQ(FindPage(kDestinationPage)->m_hWnd, nullptr);
}

TEST_F(ReadSetupPage, ACancelRefusedWhileReadingLetsTheReadingFinish)
{
    m_run.WriteProfile(kRealisticProfile);
    m_answers.SetAnswer(IDNO);
    CCloseWhenReadingStarts closer;
    StartAndLeaveWelcome();
    ASSERT_TRUE(CWizardRun::PumpUntilPage(kDestinationPage));

    EXPECT_TRUE(CCloseWhenReadingStarts::Posted());
    EXPECT_EQ(m_answers.m_questions.size(), 1u);
    EXPECT_TRUE(m_run.App().m_bSuccess);
    EXPECT_EQ(m_run.App().m_pFileList->GetCount(), 5u);
    EXPECT_NE(m_run.App().m_pDiskettes->GetDisketteLabel(2), nullptr);
    EXPECT_EQ(FindPage(IDD_NOT_INSTALLED), nullptr);
}

TEST_F(ReadSetupPage, UnattendedAMissingProfileEndsTheRunAsFailedWithoutAsking)
{
    ASSERT_TRUE(m_run.Start("/B"));
    new CStandInPage(kDestinationPage, kCopyPage);
    ASSERT_TRUE(CWizardRun::PumpUntil([] { return AfxGetMainWnd() == nullptr; }));

    EXPECT_FALSE(m_run.App().m_bSuccess);
    EXPECT_TRUE(m_answers.m_warnings.empty());
    EXPECT_TRUE(m_answers.m_questions.empty());
    ASSERT_NE(FindPage(IDD_NOT_INSTALLED), nullptr);
    EXPECT_EQ(FindPage(kDestinationPage)->m_hWnd, nullptr);
}

TEST_F(ReadSetupPage, UnattendedAGoodProfileIsReadAndTheWizardMovesOn)
{
    m_run.WriteProfile(kRealisticProfile);
    ASSERT_TRUE(m_run.Start("/B"));
    // The stand-in's Next ends the wizard: the run goes through by itself.
    new CStandInPage(kDestinationPage, kEndOfWizard);
    ASSERT_TRUE(CWizardRun::PumpUntil([] { return AfxGetMainWnd() == nullptr; }));

    EXPECT_TRUE(m_run.App().m_bSuccess);
    EXPECT_EQ(m_run.App().m_pFileList->GetCount(), 5u);
    EXPECT_EQ(FindPage(kDestinationPage)->m_nPrevPage, IDD_READ_SETUP);
    EXPECT_EQ(FindPage(IDD_INSTALL_CONDITIONS)->m_hWnd, nullptr);
    EXPECT_TRUE(m_answers.m_warnings.empty());
}

} // namespace
