#pragma once
// Drawing helpers of the background window and the warning dialog: a palette
// holding a colour ramp (so that a gradient looks smooth on 256-colour
// displays), a vertical gradient, and a font sized in points.
//
// Colours are COLORREF values: red in the low byte, then green, then blue; the
// fourth byte is ignored on input.

#include <windows.h>

#include "framework/GdiObjects.h"

// Builds a palette of the display's full size: the system's default entries
// first, then a ramp from first towards last in the n entries that are left.
// Ramp entry i is first + i × (last − first) ÷ n per channel, so the ramp
// starts exactly at first and stops one step short of last.
//
// When the display has no entries to spare (a true-colour display has no
// palette at all) nothing is created and palette is left as it was. Returns
// true when palette now holds the new palette. The rectangle is not used.
bool CreateRampPalette(HDC dc, CPalette& palette, const RECT& rect, COLORREF first, COLORREF last);

// Paints the client height in one-pixel rows from top to bottom colour: row y
// (counted from y = 0 of the DC, whatever the rectangles' tops) gets
// top + y × (bottom − top) ÷ height per channel, with height the client
// rectangle's. Each row spans the paint rectangle's left to right; the DC's
// clipping limits what actually changes. With paletteRelative set the colours
// are palette-relative (PALETTERGB), matched against the DC's selected palette.
// A client height of 0 or less paints nothing.
void FillVerticalGradient(HDC dc, const RECT& paint, const RECT& client, bool paletteRelative,
                          COLORREF top, COLORREF bottom);

// Creates font from sizes in points, converted with the resolution of dc or,
// when dc is null, of the screen: height −MulDiv(points, LOGPIXELSY, 72), which
// asks for the character height (8 points at 96 dpi give −11); width likewise
// with LOGPIXELSX (0 leaves the width to the font mapper). Weight 700 when bold,
// else the default weight. Of italic and the later arguments only the low byte
// is used. Returns false, with font left empty, when the font cannot be created.
bool CreateFontPoints(CFont& font, HDC dc, const char* face, int points, bool bold = false,
                      int italic = 0, int widthPoints = 0, int escapement = 0, int orientation = 0,
                      int underline = 0, int strikeOut = 0, int charSet = 0, int outPrecision = 0,
                      int clipPrecision = 0, int quality = 0, int pitchAndFamily = 0);
