#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/MainWnd.h"
#include "app/SetupApp.h"
#include "common/Canvas.h"
#include "common/GuiDriver.h"
#include "framework/GdiObjects.h"
#include "profile/FileGroupMap.h"
#include "res/resource.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

namespace {

// An application started as the framework starts it, ended at the end of the test.
class SetupApp : public ::testing::Test {
protected:
    void TearDown() override { Exit(); }

    BOOL Start(const char* commandLine)
    {
        app.m_strCmdLine = commandLine;
        return app.InitInstance();
    }
    void Exit()
    {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->DestroyWindow();
        PumpPending();
        ResetQuit();
        if (!m_exited)
            app.ExitInstance();
        m_exited = true;
    }

    CSetupApp app;
    bool m_exited = false;
};

using MainWindow = SetupApp;

// The bounding box of the pixels of exactly this colour (empty when none).
RECT Box(const Canvas& canvas, int height, COLORREF colour)
{
    RECT box = {canvas.width, height, -1, -1};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.At(x, y) == colour)
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
    return box;
}

} // namespace

// The status report each run ends with is read back by every end-to-end row,
// the library's unloading by the status-report test.
TEST_F(SetupApp, ExitFreesEverything)
{
    ASSERT_TRUE(Start(""));
    Exit();
    EXPECT_TRUE(g_mapPages.empty());
    EXPECT_FALSE(app.m_pDestinations || app.m_pGroups || app.m_pTargets || app.m_pFileList ||
                 app.m_pDiskettes || app.m_pProfilePath || app.m_pSourcePath);
}

TEST_F(SetupApp, GroupsAreSelectedBySetupTypeAndByExactName)
{
    ASSERT_TRUE(Start(""));
    // Main is in the minimum and typical setups, Extras in the custom one only.
    CFileGroup main, extras;
    main.m_strName = "Main";
    main.m_bInType1 = main.m_bInType2 = true;
    extras.m_strName = "Extras";
    extras.m_bInType3 = true;
    CFileGroup& m = app.m_pGroups->SetAt(main);
    CFileGroup& x = app.m_pGroups->SetAt(extras);
    const struct {
        int type;
        bool main, extras;
    } cases[] = {{0, false, false}, {1, true, false}, {2, true, false},
                 {3, false, true},  {4, true, true},  {5, false, false}};
    for (const auto& c : cases) {
        app.SelectGroupsForType(c.type);
        EXPECT_EQ(m.m_bSelected, c.main) << "type " << c.type;
        EXPECT_EQ(x.m_bSelected, c.extras) << "type " << c.type;
    }
    app.SetGroupSelected("MAIN", TRUE); // names match exactly: no such group
    EXPECT_FALSE(m.m_bSelected);
    app.SetGroupSelected("Main", TRUE);
    EXPECT_TRUE(m.m_bSelected);
}

TEST_F(MainWindow, CloseAsksAndYesLeavesTheWizardAsFailed)
{
    ASSERT_TRUE(Start(""));
    int answer = IDNO;
    CWindowWatcher question(
        "VelmoSaver Setup", [&answer](HWND box) { PressButton(box, answer); }, IDYES);
    PostMessageA(app.m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return question.Count() == 1; }));
    PumpPending();
    EXPECT_EQ(g_pCurrentPage->m_nPageId, IDD_WELCOME) << "No changes nothing";
    EXPECT_TRUE(app.m_bSuccess);
    answer = IDYES;
    PostMessageA(app.m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([] { return g_pCurrentPage->m_nPageId == IDD_NOT_INSTALLED; }));
    EXPECT_FALSE(app.m_bSuccess);
}

TEST_F(MainWindow, CaptionIsWhiteWithABlackShadowBelowRight)
{
    const int height = 140;
    Canvas canvas(700, height);
    CMainWnd().DrawCaption(canvas.dc, RECT{}, "Velmo Screen Saver Setup", "Arial", 36, TRUE, TRUE,
                           TRUE);
    RECT white = Box(canvas, height, RGB(255, 255, 255));
    RECT black = Box(canvas, height, RGB(0, 0, 0));
    ASSERT_GE(white.right, 0) << "no white text";
    ASSERT_GE(black.right, 0) << "no shadow";
    EXPECT_GE(white.left, GetSystemMetrics(SM_CXHTHUMB));
    EXPECT_GE(white.top, GetSystemMetrics(SM_CYVTHUMB));
    EXPECT_NEAR(black.right - white.right, 2 * GetSystemMetrics(SM_CXDLGFRAME), 1);
    EXPECT_NEAR(black.bottom - white.bottom, 2 * GetSystemMetrics(SM_CYDLGFRAME), 1);
    // 36 points at the screen's resolution: the text is far taller than a dialog's.
    EXPECT_GT(white.bottom - white.top, 30);
}

// On a 256-colour display (unit_app_palette: an 8-bit X screen) the window makes its
// gradient palette, realises it when it paints and deletes it with itself.
TEST_F(MainWindow, PaletteOnAPaletteDisplay)
{
    const char* mode = std::getenv("VELMO_PALETTE_DISPLAY");
    if (mode == nullptr || std::string(mode) == "no-xvfb")
        GTEST_SKIP() << (mode ? "Xvfb is not installed" : "run through unit_app_palette");
    ASSERT_TRUE(Start(""));
    auto* mainWnd = static_cast<CMainWnd*>(app.m_pMainWnd);
    HPALETTE palette = mainWnd->GetPalette();
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY entry;
    ASSERT_EQ(GetPaletteEntries(palette, 20, 1, &entry), 1u);
    EXPECT_EQ(RGB(entry.peRed, entry.peGreen, entry.peBlue), CMainWnd::kTopColour);

    InvalidateRect(mainWnd->m_hWnd, nullptr, TRUE);
    UpdateWindow(mainWnd->m_hWnd);
    PALETTEENTRY system[256];
    ASSERT_EQ(GetSystemPaletteEntries(CClientDC(nullptr), 0, 256, system), 256u);
    EXPECT_TRUE(std::any_of(system, system + 256, [](const PALETTEENTRY& e) {
        return RGB(e.peRed, e.peGreen, e.peBlue) == CMainWnd::kTopColour;
    })) << "painting realises the palette";
    mainWnd->DestroyWindow();
    EXPECT_EQ(GetObjectType(palette), 0u) << "the palette goes with the window";
}
