#pragma once
// CGauge: the program's own progress bar. A bordered child window that fills
// from the left in proportion to a position within a range and shows the
// percentage, centred, in colours that invert where the bar has filled.
//
// The owner may write m_nMin and m_nMax at any time; a new range shows at the
// next SetPos or repaint.

#include <windows.h>

#include "framework/Wnd.h"

class CGauge : public CWnd {
    DECLARE_DYNAMIC(CGauge)
public:
    // Stores the three values as given (unclamped); creates no window.
    CGauge(UINT nMin, UINT nMax, UINT nPos);
    // Destroys the window if it still exists.
    ~CGauge() override;

    // Creates the window (text "Gauge", style plus WS_CHILD) as child id of
    // parent. When parent has a child with that id (a placeholder drawn in a
    // dialog template), the gauge takes the placeholder's client area, in the
    // parent's client coordinates, instead of rect, and the placeholder is
    // destroyed. Non-zero on success.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Clamps nPos to at most m_nMax, then to at least m_nMin (so the minimum
    // wins when it exceeds the maximum), stores it and invalidates the window
    // without erasing; with bRedraw set the window is repainted at once.
    void SetPos(UINT nPos, BOOL bRedraw);

    UINT m_nMin;
    UINT m_nMax;
    UINT m_nPos;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
};

// Paints a gauge bar over rect: the filled part (from the left, or from the
// top when vertical) in colourB with the percentage text in colourA, the rest
// in colourA with the text in colourB, the text centred on width / 2 of the
// DC's origin and drawn in the DC's current font. Nothing is painted for an
// empty range, also when it becomes empty only after values above 1000000 are
// divided by 1000 to keep the arithmetic within 32 bits.
void DrawGaugeBar(HDC dc, const RECT& rect, COLORREF colourA, COLORREF colourB, BOOL vertical,
                  UINT nMin, UINT nMax, UINT nPos);
