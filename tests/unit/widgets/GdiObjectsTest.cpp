#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "framework/GdiObjects.h"

namespace {

// GetObjectType is 0 once a handle has been deleted.
bool IsLive(HGDIOBJ handle)
{
    return GetObjectType(handle) != 0;
}

HBRUSH NewBrush()
{
    return CreateSolidBrush(RGB(1, 2, 3));
}

} // namespace

TEST(GdiObject, DeletesWhatItOwnsOnScopeExit)
{
    HGDIOBJ handle = nullptr;
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(10, 20, 30)));
        handle = brush.GetSafeHandle();
        EXPECT_TRUE(IsLive(handle));
    }
    EXPECT_FALSE(IsLive(handle));
}

TEST(GdiObject, DetachGivesUpOwnership)
{
    HGDIOBJ handle = nullptr;
    {
        CGdiObject object(NewBrush());
        handle = object.Detach();
        EXPECT_TRUE(object.IsEmpty());
        EXPECT_EQ(object.Detach(), nullptr);
    }
    EXPECT_TRUE(IsLive(handle));
    EXPECT_TRUE(DeleteObject(handle));
}

TEST(GdiObject, AttachReplacesAndDeletesThePrevious)
{
    HBRUSH first = NewBrush();
    HBRUSH second = NewBrush();
    CGdiObject object;
    EXPECT_TRUE(object.Attach(first));
    EXPECT_TRUE(object.Attach(second));
    EXPECT_FALSE(IsLive(first));
    EXPECT_EQ(object.GetSafeHandle(), second);

    // Attaching the handle already held must not delete it.
    EXPECT_TRUE(object.Attach(second));
    EXPECT_TRUE(IsLive(second));

    // A null handle (a failed Create... call) empties the wrapper.
    EXPECT_FALSE(object.Attach(nullptr));
    EXPECT_TRUE(object.IsEmpty());
    EXPECT_FALSE(IsLive(second));
}

TEST(GdiObject, DeleteObjectEmptiesAndReportsWhetherThereWasOne)
{
    CBrush brush;
    EXPECT_FALSE(brush.DeleteObject());
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(0, 0, 0)));
    HGDIOBJ handle = brush.GetSafeHandle();
    EXPECT_TRUE(brush.DeleteObject());
    EXPECT_TRUE(brush.IsEmpty());
    EXPECT_FALSE(IsLive(handle));
}

TEST(GdiObject, MovesTransferOwnershipOnce)
{
    HBRUSH held = NewBrush();
    HBRUSH other = NewBrush();
    CGdiObject source(held);
    CGdiObject moved(std::move(source));
    EXPECT_TRUE(source.IsEmpty());
    EXPECT_EQ(moved.GetSafeHandle(), held);

    // Move assignment frees what the target held before.
    CGdiObject target(other);
    target = std::move(moved);
    EXPECT_FALSE(IsLive(other));
    EXPECT_EQ(target.GetSafeHandle(), held);
    EXPECT_TRUE(moved.IsEmpty());

    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(9, 9, 9)));
    HGDIOBJ brushHandle = brush.GetSafeHandle();
    CBrush brushCopy(std::move(brush));
    EXPECT_EQ(static_cast<HBRUSH>(brushCopy), brushHandle);
    EXPECT_TRUE(brush.IsEmpty());
}

TEST(GdiObject, TypedQueries)
{
    CFont font;
    LOGFONTA wanted = {};
    wanted.lfHeight = -13;
    lstrcpyA(wanted.lfFaceName, "Arial");
    LOGFONTA got = {};
    EXPECT_FALSE(font.GetLogFont(got));
    ASSERT_TRUE(font.CreateFontIndirect(wanted));
    ASSERT_TRUE(font.GetLogFont(got));
    EXPECT_EQ(got.lfHeight, -13);
    EXPECT_STREQ(got.lfFaceName, "Arial");

    CPalette palette;
    EXPECT_EQ(palette.GetEntryCount(), 0);
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[2];
    } record = {};
    record.header.palVersion = 0x300;
    record.header.palNumEntries = 3;
    record.header.palPalEntry[0] = {1, 2, 3, 0};
    record.more[0] = {4, 5, 6, 0};
    record.more[1] = {7, 8, 9, 0};
    ASSERT_TRUE(palette.CreatePalette(record.header));
    EXPECT_EQ(palette.GetEntryCount(), 3);
    PALETTEENTRY entries[3] = {};
    EXPECT_EQ(palette.GetPaletteEntries(1, 5, entries), 2u);
    EXPECT_EQ(entries[0].peRed, 4);
    EXPECT_EQ(entries[1].peBlue, 9);
}

TEST(DeviceContexts, MemoryDCIsDeletedOnScopeExit)
{
    HDC handle = nullptr;
    {
        CMemoryDC dc;
        handle = dc.GetSafeHdc();
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_MEMDC));

        CMemoryDC moved(std::move(dc));
        EXPECT_EQ(dc.GetSafeHdc(), nullptr);
        EXPECT_EQ(moved.GetSafeHdc(), handle);
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(DeviceContexts, SelectionsAreUndoneBeforeTheObjectGoes)
{
    CMemoryDC dc;
    ASSERT_NE(dc.GetSafeHdc(), nullptr);
    HGDIOBJ originalFont = GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ originalPalette = GetCurrentObject(dc, OBJ_PAL);

    CFont font;
    LOGFONTA logFont = {};
    logFont.lfHeight = -20;
    ASSERT_TRUE(font.CreateFontIndirect(logFont));
    CPalette palette;
    LOGPALETTE record = {0x300, 1, {{200, 100, 50, 0}}};
    ASSERT_TRUE(palette.CreatePalette(record));
    {
        CSelectObject selectFont(dc, font.GetSafeHandle());
        CSelectPalette selectPalette(dc, palette, false);
        EXPECT_EQ(selectFont.Previous(), originalFont);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.GetSafeHandle());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), palette.GetSafeHandle());
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), originalFont);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), originalPalette);

    // Null DCs and objects select nothing and restore nothing.
    CSelectObject nothing(dc, nullptr);
    EXPECT_EQ(nothing.Previous(), nullptr);
    CSelectPalette noPalette(nullptr, palette, false);
    EXPECT_EQ(noPalette.Realize(), 0u);
}

namespace {

RECT g_paintRect;

LRESULT CALLBACK PaintProbe(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        CPaintDC dc(hwnd);
        g_paintRect = dc.PaintRect();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

TEST(DeviceContexts, PaintDCPaintsTheInvalidArea)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PaintProbe;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "GdiObjectsPaintProbe";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "GdiObjectsPaintProbe", "", WS_POPUP | WS_VISIBLE, 0, 0, 40,
                                  40, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);

    RECT invalid = {3, 4, 10, 12};
    InvalidateRect(window, &invalid, FALSE);
    g_paintRect = {};
    UpdateWindow(window);
    EXPECT_EQ(g_paintRect.left, 3);
    EXPECT_EQ(g_paintRect.top, 4);
    EXPECT_EQ(g_paintRect.right, 10);
    EXPECT_EQ(g_paintRect.bottom, 12);
    RECT remaining;
    EXPECT_FALSE(GetUpdateRect(window, &remaining, FALSE));
    DestroyWindow(window);
    UnregisterClassA("GdiObjectsPaintProbe", GetModuleHandleA(nullptr));
}
