#include <gtest/gtest.h>

#include <windows.h>

#include "SaverScene.h"
#include "common/Canvas.h"

// Every frame, wherever the name has wandered, paints the whole area top to
// bottom from dark to light; an empty picture does not divide by zero.
TEST(SaverScene, FramePaintsTheWholeAreaDarkToLight)
{
    Canvas canvas(64, 48);
    CSaverScene scene;
    EXPECT_EQ(scene.RowColour(0, 0), scene.RowColour(0, 600));
    const COLORREF start = scene.RowColour(0, 100);
    for (int i = 0; i < 3000; ++i)
        scene.Step();
    EXPECT_NE(scene.RowColour(0, 100), start); // the colours drift
    RECT area = {0, 0, 64, 48};
    scene.Draw(canvas.dc, area);
    EXPECT_EQ(canvas.At(0, 0), scene.RowColour(0, 48));
    EXPECT_EQ(canvas.At(63, 44), scene.RowColour(44, 48));
    EXPECT_GT(GetBValue(canvas.At(0, 47)), GetBValue(canvas.At(0, 0)));
}
