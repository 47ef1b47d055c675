#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/GdiObjects.h"
#include "widgets/PaintHelpers.h"

namespace {

// The background window's colours: red 6, green 1, blue 107 to red 198, green 252, blue 255.
constexpr COLORREF kTop = 0x6B0106;
constexpr COLORREF kBottom = 0xFFFCC6;
constexpr COLORREF kUntouched = RGB(0x12, 0x34, 0x56);

// A memory DC over a 32-bit DIB, so colours read back exactly whatever the
// display. Every pixel starts as kUntouched.
class Canvas {
public:
    Canvas(int width, int height)
        : m_width(width), m_bitmap(MakeBitmap(m_dc, width, height)),
          m_selection(m_dc, m_bitmap.GetSafeHandle())
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixel(m_dc, x, y, kUntouched);
    }

    bool Valid() const { return m_dc.GetSafeHdc() != nullptr && !m_bitmap.IsEmpty(); }
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    // True when every pixel of row y has that colour.
    bool RowIs(int y, COLORREF colour) const
    {
        for (int x = 0; x < m_width; ++x)
            if (At(x, y) != colour)
                return false;
        return true;
    }

private:
    static HBITMAP MakeBitmap(HDC dc, int width, int height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        return CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }

    int m_width;
    CMemoryDC m_dc;
    CGdiObject m_bitmap;
    CSelectObject m_selection;
};

std::string Hex(COLORREF colour)
{
    char text[16];
    wsprintfA(text, "%06lX", static_cast<unsigned long>(colour));
    return text;
}

} // namespace

TEST(VerticalGradient, RowsFollowTheRampFromTheTopColour)
{
    Canvas canvas(4, 6);
    ASSERT_TRUE(canvas.Valid());
    RECT client = {0, 0, 4, 4};
    FillVerticalGradient(canvas.Dc(), client, client, false, kTop, kBottom);
    // Per channel top + y × (bottom − top) ÷ 4, truncated: the bottom colour is
    // never reached.
    const COLORREF expected[] = {RGB(6, 1, 107), RGB(54, 63, 144), RGB(102, 126, 181),
                                 RGB(150, 189, 218)};
    for (int y = 0; y < 4; ++y)
        EXPECT_TRUE(canvas.RowIs(y, expected[y])) << "row " << y << ": " << Hex(canvas.At(0, y));
    EXPECT_TRUE(canvas.RowIs(4, kUntouched));
    EXPECT_TRUE(canvas.RowIs(5, kUntouched));
}

TEST(VerticalGradient, FallingChannelsTruncateTowardZero)
{
    Canvas canvas(2, 3);
    ASSERT_TRUE(canvas.Valid());
    RECT client = {0, 0, 2, 3};
    // Red falls 200 → 0 over 3 rows: 200 − 66 and 200 − 133 (not − 67 and − 134).
    FillVerticalGradient(canvas.Dc(), client, client, false, RGB(200, 0, 50), RGB(0, 0, 50));
    EXPECT_EQ(canvas.At(0, 0), RGB(200, 0, 50));
    EXPECT_EQ(canvas.At(0, 1), RGB(134, 0, 50));
    EXPECT_EQ(canvas.At(0, 2), RGB(67, 0, 50));
}

TEST(VerticalGradient, FourthByteOfTheColoursIsIgnored)
{
    Canvas canvas(2, 2);
    ASSERT_TRUE(canvas.Valid());
    RECT client = {0, 0, 2, 2};
    FillVerticalGradient(canvas.Dc(), client, client, false, 0xFF000000 | RGB(10, 20, 30),
                         0x7F000000 | RGB(30, 40, 50));
    EXPECT_EQ(canvas.At(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(canvas.At(0, 1), RGB(20, 30, 40));
}

TEST(VerticalGradient, PaletteRelativeColoursPaintTheSameOnTrueColour)
{
    Canvas canvas(2, 4);
    ASSERT_TRUE(canvas.Valid());
    RECT client = {0, 0, 2, 4};
    FillVerticalGradient(canvas.Dc(), client, client, true, kTop, kBottom);
    EXPECT_EQ(canvas.At(1, 0), RGB(6, 1, 107));
    EXPECT_EQ(canvas.At(1, 3), RGB(150, 189, 218));
}

TEST(VerticalGradient, EmptyAndSingleRowClients)
{
    Canvas canvas(3, 3);
    ASSERT_TRUE(canvas.Valid());
    RECT empty = {0, 0, 3, 0};
    FillVerticalGradient(canvas.Dc(), empty, empty, false, kTop, kBottom);
    RECT upsideDown = {0, 3, 3, 1};
    FillVerticalGradient(canvas.Dc(), upsideDown, upsideDown, false, kTop, kBottom);
    for (int y = 0; y < 3; ++y)
        EXPECT_TRUE(canvas.RowIs(y, kUntouched)) << "row " << y;

    RECT single = {0, 0, 3, 1};
    FillVerticalGradient(canvas.Dc(), single, single, false, kTop, kBottom);
    EXPECT_TRUE(canvas.RowIs(0, kTop));
    EXPECT_TRUE(canvas.RowIs(1, kUntouched));
}

TEST(VerticalGradient, RowsStartAtTheTopOfTheDcWhateverTheRectangles)
{
    Canvas canvas(4, 6);
    ASSERT_TRUE(canvas.Valid());
    // A paint rectangle low in the window and a client rectangle that does not
    // start at 0 still paint rows 0 to height − 1, from the top colour.
    RECT paint = {0, 3, 4, 5};
    RECT client = {0, 2, 4, 6};
    FillVerticalGradient(canvas.Dc(), paint, client, false, kTop, kBottom);
    EXPECT_TRUE(canvas.RowIs(0, RGB(6, 1, 107)));
    EXPECT_TRUE(canvas.RowIs(3, RGB(150, 189, 218)));
    EXPECT_TRUE(canvas.RowIs(4, kUntouched));
}

TEST(VerticalGradient, PaintRectangleBoundsTheRowsAndClippingTheChange)
{
    Canvas canvas(5, 4);
    ASSERT_TRUE(canvas.Valid());
    RECT client = {0, 0, 5, 4};
    RECT paint = {1, 0, 3, 4};
    FillVerticalGradient(canvas.Dc(), paint, client, false, kTop, kBottom);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(canvas.At(0, y), kUntouched);
        EXPECT_NE(canvas.At(1, y), kUntouched);
        EXPECT_NE(canvas.At(2, y), kUntouched);
        EXPECT_EQ(canvas.At(3, y), kUntouched);
    }

    // With the DC clipped to rows 2 and 3, as in a partial repaint, only those
    // rows change, and they get their own places on the ramp.
    Canvas clipped(5, 4);
    ASSERT_TRUE(clipped.Valid());
    HRGN region = CreateRectRgn(0, 2, 5, 4);
    SelectClipRgn(clipped.Dc(), region);
    DeleteObject(region);
    FillVerticalGradient(clipped.Dc(), client, client, false, kTop, kBottom);
    EXPECT_TRUE(clipped.RowIs(0, kUntouched));
    EXPECT_TRUE(clipped.RowIs(1, kUntouched));
    EXPECT_TRUE(clipped.RowIs(2, RGB(102, 126, 181)));
    EXPECT_TRUE(clipped.RowIs(3, RGB(150, 189, 218)));
}

TEST(RampPalette, NothingOnADisplayWithoutPalette)
{
    // Tests run on a true-colour or null display, where SIZEPALETTE is 0.
    CClientDC screen(nullptr);
    ASSERT_NE(screen.GetSafeHdc(), nullptr);
    if (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE)
        GTEST_SKIP() << "this display has a palette; the palette-display test covers it";
    ASSERT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 0);

    RECT client = {0, 0, 640, 480};
    CPalette palette;
    EXPECT_FALSE(CreateRampPalette(screen, palette, client, kTop, kBottom));
    EXPECT_TRUE(palette.IsEmpty());

    // A palette held from before is left alone.
    LOGPALETTE record = {0x300, 1, {{1, 2, 3, 0}}};
    ASSERT_TRUE(palette.CreatePalette(record));
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
    ASSERT_NE(screen.GetSafeHdc(), nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 256) << "the display is not 8-bit";
    HPALETTE defaults = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    WORD defaultCount = 0;
    ASSERT_NE(GetObjectA(defaults, sizeof defaultCount, &defaultCount), 0);
    ASSERT_EQ(defaultCount, 20);
    PALETTEENTRY defaultEntries[20];
    ASSERT_EQ(GetPaletteEntries(defaults, 0, 20, defaultEntries), 20u);

    RECT client = {0, 0, 1024, 768};
    CPalette palette;
    ASSERT_TRUE(CreateRampPalette(screen, palette, client, kTop, kBottom));
    ASSERT_EQ(palette.GetEntryCount(), 256);
    std::vector<PALETTEENTRY> entries(256);
    ASSERT_EQ(palette.GetPaletteEntries(0, 256, entries.data()), 256u);

    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(entries[i].peRed, defaultEntries[i].peRed) << "entry " << i;
        EXPECT_EQ(entries[i].peGreen, defaultEntries[i].peGreen) << "entry " << i;
        EXPECT_EQ(entries[i].peBlue, defaultEntries[i].peBlue) << "entry " << i;
    }
    auto rgb = [&](int i) { return RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue); };
    // Entry 20 is exactly the first colour; entry 20 + i is
    // first + i × (last − first) ÷ 236; the last stops one step short of 0xFFFCC6.
    EXPECT_EQ(Hex(rgb(20)), Hex(RGB(6, 1, 107)));
    EXPECT_EQ(Hex(rgb(21)), Hex(RGB(6, 2, 107)));
    EXPECT_EQ(Hex(rgb(138)), Hex(RGB(102, 126, 181)));
    EXPECT_EQ(Hex(rgb(255)), Hex(RGB(197, 250, 254)));
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
    struct {
        int points;
        LONG height;
    } const cases[] = {{8, -11}, {10, -13}, {11, -15}, {36, -48}, {0, 0}};
    for (const auto& c : cases) {
        CFont font;
        ASSERT_TRUE(CreateFontPoints(font, nullptr, "Arial", c.points)) << c.points;
        LOGFONTA logFont;
        ASSERT_TRUE(font.GetLogFont(logFont));
        EXPECT_EQ(logFont.lfHeight, c.height) << c.points << " points";
        EXPECT_EQ(logFont.lfWidth, 0);
        EXPECT_EQ(logFont.lfWeight, 0);
        EXPECT_STREQ(logFont.lfFaceName, "Arial");
    }
}

TEST(FontPoints, EveryArgumentReachesTheFont)
{
    CClientDC screen(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    CFont font;
    // Only the low byte of the byte-sized arguments counts.
    ASSERT_TRUE(CreateFontPoints(font, screen, "Comic Sans MS", 36, true, 0x101, 6, 900, 450, 0x201,
                                 0x301, 0x1FF, 0x103, 0x102, 0x101, 0x122));
    LOGFONTA logFont;
    ASSERT_TRUE(font.GetLogFont(logFont));
    EXPECT_EQ(logFont.lfHeight, -48);
    EXPECT_EQ(logFont.lfWidth, -8);
    EXPECT_EQ(logFont.lfEscapement, 900);
    EXPECT_EQ(logFont.lfOrientation, 450);
    EXPECT_EQ(logFont.lfWeight, FW_BOLD);
    EXPECT_EQ(logFont.lfItalic, 1);
    EXPECT_EQ(logFont.lfUnderline, 1);
    EXPECT_EQ(logFont.lfStrikeOut, 1);
    EXPECT_EQ(logFont.lfCharSet, 0xFF);
    EXPECT_EQ(logFont.lfOutPrecision, 3);
    EXPECT_EQ(logFont.lfClipPrecision, 2);
    EXPECT_EQ(logFont.lfQuality, 1);
    EXPECT_EQ(logFont.lfPitchAndFamily, 0x22);
    EXPECT_STREQ(logFont.lfFaceName, "Comic Sans MS");
}

TEST(FontPoints, ReplacesTheFontHeldBefore)
{
    CFont font;
    ASSERT_TRUE(CreateFontPoints(font, nullptr, "Arial", 8));
    HGDIOBJ first = font.GetSafeHandle();
    ASSERT_TRUE(CreateFontPoints(font, nullptr, "Arial", 12));
    EXPECT_NE(font.GetSafeHandle(), first);
    EXPECT_EQ(GetObjectType(first), 0u);
}
