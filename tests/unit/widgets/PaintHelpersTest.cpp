// The background's painting helpers on a memory DC: the gradient's rows, the
// ramp palette of a 256-colour display, fonts sized in points.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/Canvas.h"
#include "framework/GdiObjects.h"
#include "widgets/PaintHelpers.h"

namespace {

// The background window's colours: red 6, green 1, blue 107 to red 198, green 252, blue 255.
constexpr COLORREF kTop = 0x6B0106;
constexpr COLORREF kBottom = 0xFFFCC6;
// The rows of a four-row gradient from kTop to kBottom: per channel
// top + y × (bottom − top) ÷ 4, truncated; the bottom colour is never reached.
const COLORREF kFourRows[] = {RGB(6, 1, 107), RGB(54, 63, 144), RGB(102, 126, 181),
                              RGB(150, 189, 218)};

} // namespace

TEST(VerticalGradient, RowsStepFromTheTopColourTowardsTheBottomOne)
{
    struct {
        COLORREF top, bottom;
        bool paletteRelative;
        std::vector<COLORREF> rows;
    } const cases[] = {
        {kTop, kBottom, false, {std::begin(kFourRows), std::end(kFourRows)}},
        // Palette-relative colours paint the same on a true-colour DC.
        {kTop, kBottom, true, {std::begin(kFourRows), std::end(kFourRows)}},
        // The fourth byte of the colours is ignored.
        {0xFF000000 | RGB(10, 20, 30),
         0x7F000000 | RGB(30, 40, 50),
         false,
         {RGB(10, 20, 30), RGB(20, 30, 40)}},
        // A falling channel truncates toward zero: 200 − 66 and 200 − 133.
        {RGB(200, 0, 50), RGB(0, 0, 50), false, {RGB(200, 0, 50), RGB(134, 0, 50), RGB(67, 0, 50)}},
        {kTop, kBottom, false, {kTop}},
        {kTop, kBottom, false, {}}, // an empty client paints nothing
    };
    for (const auto& c : cases) {
        const int height = static_cast<int>(c.rows.size());
        Canvas canvas(3, height + 1);
        RECT client = {0, 0, 3, height};
        FillVerticalGradient(canvas.dc, client, client, c.paletteRelative, c.top, c.bottom);
        for (int y = 0; y < height; ++y)
            EXPECT_TRUE(canvas.RowIs(y, c.rows[y])) << height << " rows, row " << y;
        EXPECT_TRUE(canvas.RowIs(height, kUntouched)) << height << " rows";
    }
}

TEST(VerticalGradient, RowsStartAtTheTopOfTheDcAndSpanThePaintColumns)
{
    // An upside-down client paints nothing. Rows run from y = 0 of the DC
    // whatever the rectangles' tops, over the paint rectangle's columns only.
    Canvas canvas(5, 6);
    RECT upsideDown = {0, 3, 5, 1}, paint = {1, 3, 3, 5}, client = {0, 2, 5, 6};
    FillVerticalGradient(canvas.dc, upsideDown, upsideDown, false, kTop, kBottom);
    FillVerticalGradient(canvas.dc, paint, client, false, kTop, kBottom);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(GetPixel(canvas.dc, 0, y), kUntouched);
        EXPECT_EQ(GetPixel(canvas.dc, 1, y), kFourRows[y]);
        EXPECT_EQ(GetPixel(canvas.dc, 2, y), kFourRows[y]);
        EXPECT_EQ(GetPixel(canvas.dc, 3, y), kUntouched);
    }
    EXPECT_TRUE(canvas.RowIs(4, kUntouched));
}

TEST(RampPalette, NothingOnADisplayWithoutPalette)
{
    CClientDC screen(nullptr);
    if (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE)
        GTEST_SKIP() << "this display has a palette; the palette-display test covers it";
    // A palette held from before is left alone.
    RECT client = {0, 0, 640, 480};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette({0x300, 1, {{1, 2, 3, 0}}}));
    HGDIOBJ before = palette.GetSafeHandle();
    EXPECT_FALSE(CreateRampPalette(screen, palette, client, kTop, kBottom));
    EXPECT_EQ(palette.GetSafeHandle(), before);
    EXPECT_EQ(palette.GetEntryCount(), 1);
}

// On a 256-colour display (SIZEPALETTE 256, 20 default entries) the palette
// keeps the default entries and ramps over the other 236. Run by the
// palette-display CTest entry under an 8-bit X screen, with
// VELMO_PALETTE_DISPLAY set to 1 (or to "no-xvfb" when Xvfb is missing).
TEST(RampPalette, RampOnAPaletteDisplay)
{
    const char* mode = std::getenv("VELMO_PALETTE_DISPLAY");
    if (mode == nullptr)
        GTEST_SKIP() << "needs an 8-bit display; run through the unit_widgets_palette test";
    if (std::string(mode) == "no-xvfb")
        GTEST_SKIP() << "Xvfb is not installed: the 256-colour palette is not tested";

    CClientDC screen(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 256) << "the display is not 8-bit";
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    WORD defaultCount = 0;
    ASSERT_TRUE(GetObjectA(stock, sizeof defaultCount, &defaultCount) && defaultCount == 20);
    PALETTEENTRY defaults[20];
    ASSERT_EQ(GetPaletteEntries(stock, 0, 20, defaults), 20u);
    RECT client = {0, 0, 1024, 768};
    CPalette palette;
    ASSERT_TRUE(CreateRampPalette(screen, palette, client, kTop, kBottom));
    ASSERT_EQ(palette.GetEntryCount(), 256);
    PALETTEENTRY entries[256];
    ASSERT_EQ(palette.GetPaletteEntries(0, 256, entries), 256u);
    auto rgb = [](const PALETTEENTRY& e) { return RGB(e.peRed, e.peGreen, e.peBlue); };
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(rgb(entries[i]), rgb(defaults[i])) << "entry " << i;
    // Entry 20 is exactly the first colour; entry 20 + i is
    // first + i × (last − first) ÷ 236; the last stops one step short of 0xFFFCC6.
    EXPECT_EQ(rgb(entries[20]), RGB(6, 1, 107));
    EXPECT_EQ(rgb(entries[21]), RGB(6, 2, 107));
    EXPECT_EQ(rgb(entries[138]), RGB(102, 126, 181));
    EXPECT_EQ(rgb(entries[255]), RGB(197, 250, 254));
    for (int i = 20; i < 256; ++i)
        EXPECT_EQ(entries[i].peFlags, 0) << "entry " << i;

    // Selected and realised, the palette takes the ramp into the system palette.
    CSelectPalette selection(screen, palette, false);
    EXPECT_GT(selection.Realize(), 0u);
}

TEST(FontPoints, HeightsAreRoundedCharacterHeights)
{
    CClientDC screen(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96) << "the test prefix runs at 96 dpi";
    const struct {
        int points;
        LONG height;
    } cases[] = {{8, -11}, {10, -13}, {11, -15}, {36, -48}, {0, 0}};
    CFont font;
    for (const auto& c : cases) {
        // Each font replaces, and deletes, the one held before.
        HGDIOBJ before = font.GetSafeHandle();
        ASSERT_TRUE(CreateFontPoints(font, nullptr, "Arial", c.points)) << c.points;
        EXPECT_TRUE(before == nullptr || GetObjectType(before) == 0);
        LOGFONTA logFont;
        ASSERT_TRUE(font.GetLogFont(logFont));
        EXPECT_EQ(logFont.lfHeight, c.height) << c.points << " points";
        EXPECT_EQ(logFont.lfWidth + logFont.lfWeight, 0);
        EXPECT_STREQ(logFont.lfFaceName, "Arial");
    }
}
