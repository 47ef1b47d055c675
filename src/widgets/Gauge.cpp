#include "widgets/Gauge.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "framework/FrameWnd.h"
#include "framework/GdiObjects.h"

IMPLEMENT_DYNAMIC(CGauge, CWnd)

CGauge::CGauge(UINT nMin, UINT nMax, UINT nPos) : m_nMin(nMin), m_nMax(nMax), m_nPos(nPos) {}

CGauge::~CGauge() = default;

BOOL CGauge::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    HWND hParent = parent != nullptr ? parent->m_hWnd : nullptr;
    RECT place = rect;
    if (hParent != nullptr) {
        if (HWND placeholder = GetDlgItem(hParent, static_cast<int>(id))) {
            GetClientRect(placeholder, &place);
            // Two points of the rectangle, through the screen into the parent.
            MapWindowPoints(placeholder, hParent, reinterpret_cast<POINT*>(&place), 2);
            ::DestroyWindow(placeholder);
        }
    }
    // The class has no background brush: the two text passes cover the whole
    // client area, so nothing needs erasing.
    const std::string className =
        AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
    if (className.empty())
        return FALSE;
    return CreateEx(0, className.c_str(), "Gauge", style | WS_CHILD, place.left, place.top,
                    place.right - place.left, place.bottom - place.top, hParent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CGauge::SetPos(UINT nPos, BOOL bRedraw)
{
    if (nPos > m_nMax)
        nPos = m_nMax;
    if (nPos < m_nMin)
        nPos = m_nMin;
    m_nPos = nPos;
    if (m_hWnd == nullptr)
        return;
    InvalidateRect(m_hWnd, nullptr, FALSE);
    if (bRedraw)
        UpdateWindow(m_hWnd);
}

LRESULT CGauge::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        OnPaint();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CGauge::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client;
    GetClientRect(m_hWnd, &client);
    // Read at every paint, so that a new colour scheme shows at the next one.
    DrawGaugeBar(dc, client, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT), FALSE, m_nMin,
                 m_nMax, m_nPos);
}

void DrawGaugeBar(HDC dc, const RECT& rect, COLORREF colourA, COLORREF colourB, BOOL vertical,
                  UINT nMin, UINT nMax, UINT nPos)
{
    if (nMax == nMin)
        return;
    // Byte counts of large installations: percent times 100 must stay in 32 bits.
    const UINT kLarge = 1000000;
    if (nMin > kLarge || nMax > kLarge || nPos > kLarge) {
        nMin /= 1000;
        nMax /= 1000;
        nPos /= 1000;
        if (nMax == nMin)
            return;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int percent = static_cast<int>((nPos - nMin) * 100u / (nMax - nMin));
    if (percent <= 0)
        percent = 0;

    char text[16];
    const int length = std::snprintf(text, sizeof text, "%d%%", percent);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &extent);
    SetTextAlign(dc, TA_CENTER | TA_TOP);

    // A position that passed the range's ends outside SetPos (the owner wrote
    // the range directly) gives percentages far above 100: the product is
    // taken in 64 bits and the bar kept within the rectangle.
    const int side = vertical ? height : width;
    const int filled = static_cast<int>(std::min<int64_t>(int64_t{percent} * side / 100, side));
    RECT done = rect;
    RECT rest = rect;
    if (vertical) {
        done.bottom = rect.top + filled;
        rest.top = done.bottom;
    } else {
        done.right = rect.left + filled;
        rest.left = done.right;
    }
    const int x = width / 2;
    const int y = (height - extent.cy) / 2;

    // The filled part: text in A on B; then the rest with the colours swapped.
    SetTextColor(dc, colourA);
    SetBkColor(dc, colourB);
    ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &done, text, static_cast<UINT>(length),
                nullptr);
    SetTextColor(dc, colourB);
    SetBkColor(dc, colourA);
    ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &rest, text, static_cast<UINT>(length),
                nullptr);
}
