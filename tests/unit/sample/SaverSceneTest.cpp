#include <gtest/gtest.h>

#include <windows.h>

#include "SaverScene.h"

// Every frame, wherever the name has wandered, paints the whole area top to
// bottom from dark to light; an empty picture does not divide by zero.
TEST(SaverScene, FramePaintsTheWholeAreaDarkToLight)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 48);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT area = {0, 0, 64, 48};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    CSaverScene scene;
    EXPECT_EQ(scene.RowColour(0, 0), scene.RowColour(0, 600));
    const COLORREF start = scene.RowColour(0, 100);
    for (int i = 0; i < 3000; ++i)
        scene.Step();
    EXPECT_NE(scene.RowColour(0, 100), start); // the colours drift
    scene.Draw(dc, area);
    EXPECT_EQ(GetPixel(dc, 0, 0), scene.RowColour(0, 48));
    EXPECT_EQ(GetPixel(dc, 63, 44), scene.RowColour(44, 48));
    EXPECT_GT(GetBValue(GetPixel(dc, 0, 47)), GetBValue(GetPixel(dc, 0, 0)));

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
