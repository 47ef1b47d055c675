#include "SaverScene.h"

namespace {

// The colours breathe between these two pairs.
const int kTop[2][3] = {{6, 1, 107}, {20, 40, 160}};
const int kBottom[2][3] = {{198, 252, 255}, {140, 220, 250}};

int Mix(int a, int b, int weight, int scale)
{
    return a + (b - a) * weight / scale;
}

}  // namespace

void CSaverScene::Step()
{
    m_nPhase = (m_nPhase + 1) % 512;
    m_nX += m_nDx;
    m_nY += m_nDy;
    if (m_nX < 0 || m_nX > 700) {
        m_nDx = -m_nDx;
        m_nX += 2 * m_nDx;
    }
    if (m_nY < 0 || m_nY > 840) {
        m_nDy = -m_nDy;
        m_nY += 2 * m_nDy;
    }
}

COLORREF CSaverScene::RowColour(int y, int height) const
{
    int breath = m_nPhase < 256 ? m_nPhase : 511 - m_nPhase;  // 0..255 and back
    int rgb[3];
    for (int c = 0; c < 3; ++c) {
        int top = Mix(kTop[0][c], kTop[1][c], breath, 255);
        int bottom = Mix(kBottom[0][c], kBottom[1][c], breath, 255);
        rgb[c] = height > 0 ? Mix(top, bottom, y, height) : top;
    }
    return RGB(rgb[0], rgb[1], rgb[2]);
}

void CSaverScene::Draw(HDC dc, const RECT& area) const
{
    int height = area.bottom - area.top;
    int width = area.right - area.left;
    // Bands of four rows keep the brush count low on large screens.
    for (int y = 0; y < height; y += 4) {
        RECT band = {area.left, area.top + y, area.right, area.top + y + 4};
        HBRUSH brush = CreateSolidBrush(RowColour(y, height));
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }

    HFONT font = CreateFontA(-(height / 8 > 8 ? height / 8 : 8), 0, 0, 0, FW_BOLD, TRUE, 0, 0,
                             ANSI_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, "Times New Roman");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    int x = area.left + width * m_nX / 1000;
    int y = area.top + height * m_nY / 1000;
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x + 3, y + 3, "Velmo", 5);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, x, y, "Velmo", 5);
    SelectObject(dc, old);
    DeleteObject(font);
}
