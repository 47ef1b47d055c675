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

namespace {

// The background window of an application started as the framework starts
// it (when a test starts it), ended at the end of the test.
class MainWindow : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->DestroyWindow();
        PumpPending();
        ResetQuit();
        app.ExitInstance();
    }

    CSetupApp app;
};

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

// On a 256-colour display (unit_app_palette: an 8-bit X screen) the window
// makes its gradient palette: the 20 default entries, then a ramp over the
// other 236 (entry 20 + i is first + i × (last − first) ÷ 236; the last stops
// one step short of the bottom colour). It realises the palette when it
// paints and deletes it with itself.
TEST_F(MainWindow, PaletteOnAPaletteDisplay)
{
    const char* mode = std::getenv("VELMO_PALETTE_DISPLAY");
    if (mode == nullptr || std::string(mode) == "no-xvfb")
        GTEST_SKIP() << (mode ? "Xvfb is not installed" : "run through unit_app_palette");
    ASSERT_TRUE(app.InitInstance());
    auto* mainWnd = static_cast<CMainWnd*>(app.m_pMainWnd);
    HPALETTE palette = mainWnd->GetPalette();
    PALETTEENTRY entries[256], defaults[20];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 256, entries), 256u);
    ASSERT_EQ(
        GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, defaults),
        20u);
    auto rgb = [](const PALETTEENTRY& e) { return RGB(e.peRed, e.peGreen, e.peBlue); };
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(rgb(entries[i]), rgb(defaults[i])) << "entry " << i;
    EXPECT_EQ(rgb(entries[20]), CMainWnd::kTopColour);
    EXPECT_EQ(rgb(entries[21]), RGB(6, 2, 107));
    EXPECT_EQ(rgb(entries[138]), RGB(102, 126, 181));
    EXPECT_EQ(rgb(entries[255]), RGB(197, 250, 254));
    for (int i = 20; i < 256; ++i)
        EXPECT_EQ(entries[i].peFlags, 0) << "entry " << i;

    InvalidateRect(mainWnd->m_hWnd, nullptr, TRUE);
    UpdateWindow(mainWnd->m_hWnd);
    PALETTEENTRY system[256];
    ASSERT_EQ(GetSystemPaletteEntries(CClientDC(nullptr), 0, 256, system), 256u);
    EXPECT_TRUE(std::any_of(system, system + 256, [&](const PALETTEENTRY& e) {
        return rgb(e) == CMainWnd::kTopColour;
    })) << "painting realises the palette";
    mainWnd->DestroyWindow();
    EXPECT_EQ(GetObjectType(palette), 0u) << "the palette goes with the window";
}
