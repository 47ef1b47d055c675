#pragma once
// A memory DC over a 32-bit DIB, so that colours read back exactly whatever
// the display; every pixel starts as kUntouched. (The DC goes first, then the
// bitmap selected into it.)

#include <windows.h>

#include "framework/GdiObjects.h"

constexpr COLORREF kUntouched = RGB(0x12, 0x34, 0x56);

struct Canvas {
    Canvas(int width, int height) : width(width)
    {
        BITMAPINFO info = {{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
                           {}};
        void* bits = nullptr;
        bitmap.Attach(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectObject(dc, bitmap.GetSafeHandle());
        RECT all = {0, 0, width, height};
        SetBkColor(dc, kUntouched);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &all, "", 0, nullptr);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    bool RowIs(int y, COLORREF colour) const
    {
        for (int x = 0; x < width; ++x)
            if (GetPixel(dc, x, y) != colour)
                return false;
        return true;
    }

    int width;
    CGdiObject bitmap;
    CMemoryDC dc;
};
