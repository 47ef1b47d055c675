// The gauge: its bar painted on a memory DC, compared pixel by pixel with the
// percentage text drawn over the whole area in each colour pair, and its
// window taking the place of a placeholder control.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/Canvas.h"
#include "framework/GdiObjects.h"
#include "widgets/Gauge.h"

namespace {

constexpr COLORREF kWindow = RGB(250, 240, 200);
constexpr COLORREF kHighlight = RGB(10, 40, 160);
constexpr int kWidth = 160;
constexpr int kHeight = 40;

const RECT kArea = {0, 0, kWidth, kHeight};

// The whole area as it looks with the text in one colour on the other.
Canvas TextOver(const std::string& text, COLORREF ink, COLORREF paper)
{
    Canvas canvas(kWidth, kHeight);
    SIZE extent;
    GetTextExtentPoint32A(canvas.dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SetTextAlign(canvas.dc, TA_CENTER | TA_TOP);
    SetTextColor(canvas.dc, ink);
    SetBkColor(canvas.dc, paper);
    ExtTextOutA(canvas.dc, kWidth / 2, (kHeight - extent.cy) / 2, ETO_OPAQUE | ETO_CLIPPED, &kArea,
                text.c_str(), static_cast<UINT>(text.size()), nullptr);
    return canvas;
}

// The bar drawn for nMin..nMax at nPos.
Canvas Drawn(UINT nMin, UINT nMax, UINT nPos)
{
    Canvas bar(kWidth, kHeight);
    DrawGaugeBar(bar.dc, kArea, kWindow, kHighlight, false, nMin, nMax, nPos);
    return bar;
}

// The number of pixels of that bar that differ from one showing text, filled
// up to `filled` columns (the gauge's bar is never vertical) in the highlight colour with
// window-coloured text, the rest the other way round; without text, from an
// untouched area.
int Mismatches(UINT nMin, UINT nMax, UINT nPos, const char* text, int filled)
{
    const Canvas bar = Drawn(nMin, nMax, nPos);
    const Canvas inFilled = text ? TextOver(text, kWindow, kHighlight) : Canvas(kWidth, kHeight);
    const Canvas inRest = text ? TextOver(text, kHighlight, kWindow) : Canvas(kWidth, kHeight);
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            wrong += bar.At(x, y) != (x < filled ? inFilled : inRest).At(x, y);
    return wrong;
}

// A framed static control standing in for the template's placeholder.
HWND AddPlaceholder(const CWnd& parent, int id, int x, int y, int width, int height)
{
    return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_BORDER, x, y, width, height,
                           parent.m_hWnd, reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr),
                           nullptr);
}

// A child's window rectangle in its parent's client coordinates.
RECT ChildRect(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TEST(GaugeBar, FillsInProportionWithTheTextInvertedAcrossTheBoundary)
{
    struct {
        UINT nMin, nMax, nPos;
        const char* text;
        int filled;
    } const cases[] = {
        {0, 100, 42, "42%", 42 * kWidth / 100},
        {0, 3, 1, "33%", 33 * kWidth / 100}, // truncating
        // Above 1000000 all three are divided by 1000 first.
        {0, 3000000, 1500000, "50%", kWidth / 2},
        {1000, 4000000, 1000999, "24%", 24 * kWidth / 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Mismatches(c.nMin, c.nMax, c.nPos, c.text, c.filled), 0)
            << c.nMin << ".." << c.nMax << " at " << c.nPos;
}

TEST(GaugeBar, AnEmptyRangePaintsNothingAndAPositionBelowItStaysWithinTheArea)
{
    // Equal ends, and ends that fall into the same thousand above 1000000.
    EXPECT_EQ(Mismatches(5, 5, 5, nullptr, 0), 0);
    EXPECT_EQ(Mismatches(2000100, 2000900, 2000500, nullptr, 0), 0);
    // Position 0 under a minimum of 1 set without SetPos: the unsigned
    // arithmetic gives a percentage far above 100; the bar fills the area and
    // no more.
    const Canvas bar = Drawn(1, 1000, 0);
    EXPECT_EQ(bar.At(0, 0), kHighlight);
    EXPECT_EQ(bar.At(kWidth - 1, kHeight - 1), kHighlight);
}

TEST(Gauge, SetPosClampsToTheMaximumFirstThenToTheMinimum)
{
    // Nothing to copy: range 1..0 holds the position at 1, shown as 0% with
    // no filled part.
    CGauge gauge(0, 99, 0);
    gauge.m_nMin = 1;
    gauge.m_nMax = 0;
    gauge.SetPos(5, TRUE);
    EXPECT_EQ(gauge.m_nPos, 1u);
    EXPECT_EQ(Mismatches(1, 0, gauge.m_nPos, "0%", 0), 0);
    // Above the maximum: 100%.
    gauge.m_nMax = 40;
    gauge.SetPos(41, FALSE);
    EXPECT_EQ(gauge.m_nPos, 40u);
    EXPECT_EQ(Mismatches(1, 40, gauge.m_nPos, "100%", kWidth), 0);
}

TEST(Gauge, TakesThePlaceholdersClientAreaAndItsId)
{
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, "STATIC", "page", WS_POPUP, 100, 100, 400, 200, nullptr, nullptr));
    HWND placeholder = AddPlaceholder(parent, 1010, 20, 30, 120, 24);
    HWND another = AddPlaceholder(parent, 1011, 0, 0, 50, 50);
    // The frame's inside: the border is not part of the gauge.
    RECT inside, outside = ChildRect(placeholder);
    GetClientRect(placeholder, &inside);
    MapWindowPoints(placeholder, parent.m_hWnd, reinterpret_cast<POINT*>(&inside), 2);
    ASSERT_FALSE(EqualRect(&inside, &outside)) << "the placeholder has no border";

    CGauge gauge(0, 99, 0);
    ASSERT_TRUE(gauge.Create(WS_VISIBLE, RECT{0, 0, 5, 5}, &parent, 1010));
    EXPECT_FALSE(IsWindow(placeholder));
    EXPECT_TRUE(IsWindow(another));
    EXPECT_EQ(GetDlgItem(parent.m_hWnd, 1010), gauge.m_hWnd);
    const RECT rect = ChildRect(gauge.m_hWnd);
    EXPECT_TRUE(EqualRect(&rect, &inside));
    EXPECT_TRUE(GetWindowLongA(gauge.m_hWnd, GWL_STYLE) & WS_CHILD);
}

// (A gauge that shows nothing, on the empty page of an unattended run, is not
// invalidated at all: a matter of speed, which bench/server-calls counts; the
// system paints it whole once it shows.)
TEST(Gauge, SetPosRepaintsOnlyWhenWhatItShowsChanges)
{
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, "STATIC", "page", WS_POPUP, 100, 100, 400, 200, nullptr, nullptr));
    CGauge gauge(0, 1000, 0);
    ASSERT_TRUE(gauge.Create(WS_VISIBLE, RECT{10, 10, 110, 30}, &parent, 1010));
    auto pending = [&gauge] { return GetUpdateRect(gauge.m_hWnd, nullptr, FALSE) != FALSE; };
    ShowWindow(parent.m_hWnd, SW_SHOWNA);
    gauge.SetPos(0, TRUE); // painted at 0%
    ASSERT_FALSE(pending());

    gauge.SetPos(9, FALSE); // still 0%: nothing to paint, the position kept
    EXPECT_EQ(gauge.m_nPos, 9u);
    EXPECT_FALSE(pending());
    gauge.SetPos(10, FALSE); // 1%
    EXPECT_TRUE(pending());
    UpdateWindow(gauge.m_hWnd);

    // A range written directly that shows the same position as 2%.
    gauge.m_nMax = 500;
    gauge.SetPos(10, FALSE);
    EXPECT_TRUE(pending());
    UpdateWindow(gauge.m_hWnd);
    gauge.SetPos(10, TRUE);
    EXPECT_FALSE(pending());

    // The same percentage over another area is painted again.
    SetWindowPos(gauge.m_hWnd, nullptr, 0, 0, 60, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    ValidateRect(gauge.m_hWnd, nullptr);
    gauge.SetPos(10, FALSE);
    EXPECT_TRUE(pending());
}
