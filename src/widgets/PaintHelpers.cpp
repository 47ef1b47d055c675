#include "widgets/PaintHelpers.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

// One channel of a ramp step: from + step × (to − from) ÷ steps, in signed
// arithmetic truncating toward zero, so that rising and falling channels alike
// stop short of to.
BYTE RampChannel(BYTE from, BYTE to, int step, int steps)
{
    int difference = static_cast<int>(to) - static_cast<int>(from);
    return static_cast<BYTE>(from + step * difference / steps);
}

COLORREF RampColour(COLORREF from, COLORREF to, int step, int steps)
{
    return RGB(RampChannel(GetRValue(from), GetRValue(to), step, steps),
               RampChannel(GetGValue(from), GetGValue(to), step, steps),
               RampChannel(GetBValue(from), GetBValue(to), step, steps));
}

// Pixels per logical inch of dc or, when dc is null, of the screen.
void GetResolution(HDC dc, int& pixelsX, int& pixelsY)
{
    if (dc != nullptr) {
        pixelsX = GetDeviceCaps(dc, LOGPIXELSX);
        pixelsY = GetDeviceCaps(dc, LOGPIXELSY);
        return;
    }
    CMemoryDC screen;
    pixelsX = GetDeviceCaps(screen, LOGPIXELSX);
    pixelsY = GetDeviceCaps(screen, LOGPIXELSY);
}

} // namespace

bool CreateRampPalette(HDC dc, CPalette& palette, const RECT& /*rect*/, COLORREF first,
                       COLORREF last)
{
    // A logical palette counts its entries in a WORD.
    int size = std::min(GetDeviceCaps(dc, SIZEPALETTE), 0xFFFF);

    HGDIOBJ defaultPalette = GetStockObject(DEFAULT_PALETTE);
    WORD defaults = 0;
    if (defaultPalette == nullptr || GetObjectA(defaultPalette, sizeof defaults, &defaults) == 0)
        defaults = 0;
    int ramp = size - static_cast<int>(defaults);
    if (ramp <= 0)
        return false;

    // The record: a LOGPALETTE header followed by size entries.
    std::vector<BYTE> record(offsetof(LOGPALETTE, palPalEntry) + size * sizeof(PALETTEENTRY));
    auto* logPalette = reinterpret_cast<LOGPALETTE*>(record.data());
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = static_cast<WORD>(size);
    PALETTEENTRY* entries = logPalette->palPalEntry;
    if (defaults != 0 &&
        GetPaletteEntries(static_cast<HPALETTE>(defaultPalette), 0, defaults, entries) != defaults)
        return false;
    for (int i = 0; i < ramp; ++i) {
        COLORREF colour = RampColour(first, last, i, ramp);
        PALETTEENTRY& entry = entries[defaults + i];
        entry.peRed = GetRValue(colour);
        entry.peGreen = GetGValue(colour);
        entry.peBlue = GetBValue(colour);
        entry.peFlags = 0;
    }
    return palette.CreatePalette(*logPalette);
}

void FillVerticalGradient(HDC dc, const RECT& paint, const RECT& client, bool paletteRelative,
                          COLORREF top, COLORREF bottom)
{
    const int height = client.bottom - client.top;
    const COLORREF paletteFlag = paletteRelative ? 0x02000000 : 0;
    for (int y = 0; y < height; ++y) {
        RECT row = {paint.left, y, paint.right, y + 1};
        CBrush brush;
        if (brush.CreateSolidBrush(RampColour(top, bottom, y, height) | paletteFlag))
            FillRect(dc, &row, brush);
    }
}

bool CreateFontPoints(CFont& font, HDC dc, const char* face, int points, bool bold, int italic,
                      int widthPoints, int escapement, int orientation, int underline,
                      int strikeOut, int charSet, int outPrecision, int clipPrecision, int quality,
                      int pitchAndFamily)
{
    int pixelsX = 0;
    int pixelsY = 0;
    GetResolution(dc, pixelsX, pixelsY);
    int height = -MulDiv(points, pixelsY, 72);
    int width = -MulDiv(widthPoints, pixelsX, 72);
    auto low = [](int value) { return static_cast<DWORD>(value & 0xFF); };
    return font.Attach(CreateFontA(height, width, escapement, orientation, bold ? FW_BOLD : 0,
                                   low(italic), low(underline), low(strikeOut), low(charSet),
                                   low(outPrecision), low(clipPrecision), low(quality),
                                   low(pitchAndFamily), face));
}
