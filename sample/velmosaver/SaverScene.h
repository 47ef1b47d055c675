#pragma once
// What the screen saver draws: a vertical gradient whose colours drift with
// time, and the product name gliding across it, bouncing off the edges.

#include <windows.h>

class CSaverScene {
public:
    // Advances the animation by one frame.
    void Step();
    // Draws the current frame into dc over the rectangle area.
    void Draw(HDC dc, const RECT& area) const;

    // The gradient colour of row y of a picture of the given height.
    COLORREF RowColour(int y, int height) const;

private:
    int m_nPhase = 0;   // 0..511, the drift of the colours
    int m_nX = 40;      // where the name stands, in thousandths of the width
    int m_nY = 120;     // and of the height
    int m_nDx = 7;
    int m_nDy = 5;
};
