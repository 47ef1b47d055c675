// The gauge: its bar painted on a memory DC, compared pixel by pixel with the
// percentage text drawn over the whole area in each colour pair, and its
// window taking the place of a placeholder control.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/GdiObjects.h"
#include "widgets/Gauge.h"

namespace {

constexpr COLORREF kWindow = RGB(250, 240, 200);
constexpr COLORREF kHighlight = RGB(10, 40, 160);
constexpr COLORREF kUntouched = RGB(0x12, 0x34, 0x56);
constexpr int kWidth = 160;
constexpr int kHeight = 40;

// A memory DC over a 32-bit DIB, every pixel kUntouched, so that colours read
// back exactly whatever the display.
struct Canvas {
    Canvas()
    {
        BITMAPINFO info = {{sizeof info.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
                           {}};
        void* bits = nullptr;
        bitmap.Attach(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectObject(dc, bitmap.GetSafeHandle());
        RECT all = {0, 0, kWidth, kHeight};
        SetBkColor(dc, kUntouched);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &all, "", 0, nullptr);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }

    CGdiObject bitmap;
    CMemoryDC dc;
};

const RECT kArea = {0, 0, kWidth, kHeight};

// The whole area as it looks with the text in one colour on the other.
Canvas TextOver(const std::string& text, COLORREF ink, COLORREF paper)
{
    Canvas canvas;
    SIZE extent;
    GetTextExtentPoint32A(canvas.dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SetTextAlign(canvas.dc, TA_CENTER | TA_TOP);
    SetTextColor(canvas.dc, ink);
    SetBkColor(canvas.dc, paper);
    ExtTextOutA(canvas.dc, kWidth / 2, (kHeight - extent.cy) / 2, ETO_OPAQUE | ETO_CLIPPED, &kArea,
                text.c_str(), static_cast<UINT>(text.size()), nullptr);
    return canvas;
}

// The number of pixels that differ from a bar showing text, filled up to
// `filled` columns (rows when vertical) in the highlight colour with window-
// coloured text, the rest the other way round.
int Mismatches(const Canvas& bar, const std::string& text, int filled, bool vertical = false)
{
    const Canvas inFilled = TextOver(text, kWindow, kHighlight);
    const Canvas inRest = TextOver(text, kHighlight, kWindow);
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool isFilled = (vertical ? y : x) < filled;
            wrong += bar.At(x, y) != (isFilled ? inFilled : inRest).At(x, y);
        }
    return wrong;
}

bool IsUntouched(const Canvas& canvas)
{
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (canvas.At(x, y) != kUntouched)
                return false;
    return true;
}

void Draw(const Canvas& canvas, UINT nMin, UINT nMax, UINT nPos, BOOL vertical = FALSE)
{
    DrawGaugeBar(canvas.dc, kArea, kWindow, kHighlight, vertical, nMin, nMax, nPos);
}

} // namespace

TEST(GaugeBar, FillsInProportionWithTheTextInvertedAcrossTheBoundary)
{
    struct {
        UINT nMin, nMax, nPos;
        const char* text;
        int filled;
    } const cases[] = {
        {0, 100, 50, "50%", kWidth / 2},
        {0, 100, 42, "42%", 42 * kWidth / 100},
        {0, 3, 1, "33%", 33 * kWidth / 100}, // truncating
        {0, 100, 100, "100%", kWidth},
        // Above 1000000 all three are divided by 1000 first.
        {0, 3000000, 1500000, "50%", kWidth / 2},
        {1000, 4000000, 1000999, "24%", 24 * kWidth / 100},
    };
    for (const auto& c : cases) {
        Canvas bar;
        Draw(bar, c.nMin, c.nMax, c.nPos);
        EXPECT_EQ(Mismatches(bar, c.text, c.filled), 0)
            << c.nMin << ".." << c.nMax << " at " << c.nPos;
    }
}

TEST(GaugeBar, APositionBelowARangeWrittenDirectlyStaysWithinTheArea)
{
    // Position 0 under a minimum of 1 set without SetPos: the unsigned
    // arithmetic gives a percentage far above 100; the bar fills the area and
    // no more.
    Canvas bar;
    Draw(bar, 1, 1000, 0);
    EXPECT_EQ(bar.At(0, 0), kHighlight);
    EXPECT_EQ(bar.At(kWidth - 1, kHeight - 1), kHighlight);
}

TEST(GaugeBar, VerticalFillsFromTheTop)
{
    Canvas bar;
    Draw(bar, 0, 100, 25, TRUE);
    EXPECT_EQ(Mismatches(bar, "25%", kHeight / 4, true), 0);
}

TEST(GaugeBar, AnEmptyRangePaintsNothing)
{
    // Equal ends, and ends that fall into the same thousand above 1000000.
    const UINT cases[][3] = {{5, 5, 5}, {0, 0, 7}, {2000100, 2000900, 2000500}};
    for (const auto& c : cases) {
        Canvas bar;
        Draw(bar, c[0], c[1], c[2]);
        EXPECT_TRUE(IsUntouched(bar)) << c[0] << ".." << c[1];
    }
}

TEST(Gauge, SetPosClampsToTheMaximumFirstThenToTheMinimum)
{
    CGauge gauge(0, 99, 0);
    EXPECT_EQ(gauge.m_nPos, 0u);
    gauge.SetPos(500, FALSE);
    EXPECT_EQ(gauge.m_nPos, 99u);
    gauge.m_nMin = 10;
    gauge.SetPos(3, FALSE);
    EXPECT_EQ(gauge.m_nPos, 10u);

    // Nothing to copy: range 1..0 holds the position at 1, shown as 0% with
    // no filled part.
    gauge.m_nMin = 1;
    gauge.m_nMax = 0;
    gauge.SetPos(5, TRUE);
    EXPECT_EQ(gauge.m_nPos, 1u);
    Canvas bar;
    Draw(bar, gauge.m_nMin, gauge.m_nMax, gauge.m_nPos);
    EXPECT_EQ(Mismatches(bar, "0%", 0), 0);

    // Above the maximum: 100%, the whole area in the highlight colour.
    gauge.m_nMin = 1;
    gauge.m_nMax = 40;
    gauge.SetPos(41, FALSE);
    EXPECT_EQ(gauge.m_nPos, 40u);
    Canvas full;
    Draw(full, gauge.m_nMin, gauge.m_nMax, gauge.m_nPos);
    EXPECT_EQ(Mismatches(full, "100%", kWidth), 0);
    EXPECT_EQ(full.At(0, 0), kHighlight);
    EXPECT_EQ(full.At(kWidth - 1, kHeight - 1), kHighlight);
}

namespace {

// A popup window standing in for the copy page, with a framed static control
// as the template's placeholder.
struct ParentWindow {
    ParentWindow()
    {
        EXPECT_TRUE(
            wnd.CreateEx(0, "STATIC", "page", WS_POPUP, 100, 100, 400, 200, nullptr, nullptr));
    }
    HWND AddPlaceholder(int id, int x, int y, int width, int height)
    {
        return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_BORDER, x, y, width,
                               height, wnd.m_hWnd, reinterpret_cast<HMENU>(id),
                               GetModuleHandleA(nullptr), nullptr);
    }
    // A child's window rectangle in the parent's client coordinates.
    RECT ChildRect(HWND child) const
    {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, wnd.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    CWnd wnd;
};

bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

std::string Text(HWND window)
{
    char text[32] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

} // namespace

TEST(Gauge, TakesThePlaceholdersClientAreaAndItsId)
{
    ParentWindow parent;
    HWND placeholder = parent.AddPlaceholder(1010, 20, 30, 120, 24);
    ASSERT_NE(placeholder, nullptr);
    // The frame's inside: the border is not part of the gauge.
    RECT inside;
    GetClientRect(placeholder, &inside);
    MapWindowPoints(placeholder, parent.wnd.m_hWnd, reinterpret_cast<POINT*>(&inside), 2);
    ASSERT_FALSE(inside == (RECT{20, 30, 140, 54})) << "the placeholder has no border";

    CGauge gauge(0, 99, 0);
    ASSERT_TRUE(gauge.Create(WS_VISIBLE, RECT{0, 0, 5, 5}, &parent.wnd, 1010));
    EXPECT_FALSE(IsWindow(placeholder));
    EXPECT_EQ(GetDlgItem(parent.wnd.m_hWnd, 1010), gauge.m_hWnd);
    EXPECT_TRUE(parent.ChildRect(gauge.m_hWnd) == inside);
    EXPECT_EQ(Text(gauge.m_hWnd), "Gauge");
    EXPECT_TRUE(GetWindowLongA(gauge.m_hWnd, GWL_STYLE) & WS_CHILD);
}

TEST(Gauge, WithoutAPlaceholderTheGivenRectangleStays)
{
    ParentWindow parent;
    parent.AddPlaceholder(1011, 0, 0, 50, 50); // another id: not taken
    CGauge gauge(0, 99, 0);
    const RECT rect = {10, 20, 110, 45};
    ASSERT_TRUE(gauge.Create(WS_VISIBLE | WS_BORDER, rect, &parent.wnd, 1010));
    EXPECT_TRUE(parent.ChildRect(gauge.m_hWnd) == rect);
    EXPECT_NE(GetDlgItem(parent.wnd.m_hWnd, 1011), nullptr);
    EXPECT_EQ(GetDlgCtrlID(gauge.m_hWnd), 1010);
}
