#include <gtest/gtest.h>

#include <windows.h>

#include "SaverScene.h"

TEST(SaverScene, GradientRunsFromDarkBlueToLightCyan)
{
    CSaverScene scene;
    EXPECT_EQ(scene.RowColour(0, 600), RGB(6, 1, 107));
    COLORREF last = scene.RowColour(599, 600);
    EXPECT_GT(GetBValue(last), 250);
    EXPECT_GT(GetGValue(last), 240);
    EXPECT_EQ(scene.RowColour(0, 0), RGB(6, 1, 107));  // an empty picture does not divide by zero
}

TEST(SaverScene, ColoursDriftAndComeBack)
{
    CSaverScene scene;
    COLORREF start = scene.RowColour(0, 100);
    for (int i = 0; i < 256; ++i)
        scene.Step();
    EXPECT_NE(scene.RowColour(0, 100), start);
    for (int i = 0; i < 256; ++i)
        scene.Step();
    EXPECT_EQ(scene.RowColour(0, 100), start);  // one full breath is 512 frames
}

TEST(SaverScene, FramePaintsTheWholeArea)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 48);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT area = {0, 0, 64, 48};
    RECT black = area;
    FillRect(dc, &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    CSaverScene scene;
    for (int i = 0; i < 3000; ++i)  // wherever the name has wandered
        scene.Step();
    scene.Draw(dc, area);
    EXPECT_EQ(GetPixel(dc, 0, 0), scene.RowColour(0, 48));
    EXPECT_EQ(GetPixel(dc, 63, 44), scene.RowColour(44, 48));
    EXPECT_GT(GetBValue(GetPixel(dc, 0, 47)), GetBValue(GetPixel(dc, 0, 0)));

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
