// The background's gradient on a memory DC. (The ramp palette of a 256-colour
// display is the background window's test, MainWindow.PaletteOnAPaletteDisplay;
// fonts sized in points show in its caption test.)
#include <gtest/gtest.h>

#include <windows.h>

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
