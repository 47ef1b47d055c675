// The copy page: its per-file percentage, and a Cancel click during a large
// member, inside the real wizard run unattended (/B) from a scratch diskette.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "archive/MultiFileMember.h"
#include "common/GuiDriver.h"
#include "pages/CopyPage.h"
#include "res/resource.h"
#include "common/WizardRun.h"
#include "unit/archive/ArchiveBytes.h"
#include "unit/system/ScratchUser.h"
#include "wizard/WizardNavigation.h"

TEST(CopyPage, PercentOfAFileIsExactAndStaysWithin0To100)
{
    EXPECT_EQ(CCopyPage::Percent(0, 0), 100); // an empty file is done at once
    EXPECT_EQ(CCopyPage::Percent(4096, 8192), 50);
    EXPECT_EQ(CCopyPage::Percent(9000, 8192), 100); // more written than recorded
    // Past 42 949 672 bytes, written * 100 no longer fits 32 bits.
    EXPECT_EQ(CCopyPage::Percent(3000000000u, 4000000000u), 75);
    EXPECT_EQ(CCopyPage::Percent(50000000u, 100000000u), 50);
}

namespace {

// The copy page while it copies, or null.
CCopyPage* ActiveCopyPage()
{
    CWizardPage* page = FindPage(IDD_COPY);
    return page != nullptr && g_pCurrentPage == page ? static_cast<CCopyPage*>(page) : nullptr;
}

// Clicks Cancel on the copy page once its member has written something: a
// thread timer, served by the pumps inside the copy as a user's click is.
bool g_bCancelClicked = false;

void CALLBACK ClickCancelWhileWriting(HWND, UINT, UINT_PTR, DWORD)
{
    CCopyPage* page = ActiveCopyPage();
    if (g_bCancelClicked || page == nullptr || page->m_pCurrentMember == nullptr ||
        page->m_pCurrentMember->GetCount(CXBlockFile::dirWrite) == 0)
        return;
    g_bCancelClicked = true;
    PressButton(page->m_hWnd, IDCANCEL);
}

} // namespace

TEST(CopyPage, CancelDuringALargeMemberAsksAtOnceAndYesEndsNotInstalled)
{
    CScratchUser user; // should the copy run on to the screen-saver page
    CWizardRun run;
    const CScratchDirectory& disk = run.Directory();
    // 40 MiB stored: far more blocks than the time between a click and the
    // next refresh lets pass.
    std::string data(40u << 20, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 2654435761u >> 24);
    disk.WriteFile("BIG.ARC", kHeader + Stored("BIG.DAT", data).Bytes());
    run.WriteProfile("[destinations]\r\n0=OUT||" + disk.File("OUT\\") +
                     "\r\n[groups]\r\nMain=Big|Everything|1|1|1\r\n[Main]\r\nBIG.ARC=" +
                     std::to_string(data.size()) + "|1|1|1|0|\r\n");

    // What the copy page holds when the exit question shows.
    uint32_t written = 0, unpacked = 0;
    CWindowWatcher question(
        "VelmoSaver Setup",
        [&](HWND box) {
            if (CCopyPage* page = ActiveCopyPage(); page && page->m_pCurrentMember) {
                written =
                    static_cast<uint32_t>(page->m_pCurrentMember->GetCount(CXBlockFile::dirWrite));
                unpacked = page->m_pCurrentMember->GetUnpackedSize();
            }
            Press(IDYES)(box);
        },
        IDYES);
    CWindowWatcher warnings("Warning", Press(IDOK), IDC_WARNING_INFO);
    g_bCancelClicked = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, ClickCancelWhileWriting);
    ASSERT_TRUE(run.Start("/B"));
    PumpUntil(QuitPosted, 60000); // an unattended run ends by itself
    KillTimer(nullptr, timer);

    EXPECT_TRUE(g_bCancelClicked);
    EXPECT_EQ(question.Count(), 1);
    // Asked while the member was being written, before its end (how soon
    // after the click depends on the machine's load: the benchmark's matter).
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, unpacked);
    EXPECT_EQ(unpacked, data.size());
    EXPECT_FALSE(run.App().m_bSuccess);
    EXPECT_EQ(warnings.Count(), 0) << "a cancel is not an error";
    EXPECT_EQ(GetFileAttributesA(disk.File("OUT\\BIG.DAT").c_str()), INVALID_FILE_ATTRIBUTES);
}
