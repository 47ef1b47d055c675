#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/MainWnd.h"
#include "app/SetupApp.h"
#include "common/GuiDriver.h"
#include "res/resource.h"
#include "wizard/WizardNavigation.h"
#include "wizard/WizardPage.h"

namespace {

// A 32-bit picture to draw on, filled with one colour.
class CCanvas {
public:
    CCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits),
                                    nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all = {0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    ~CCanvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }

    HDC dc() const { return m_dc; }
    // The bounding box of the pixels of exactly this colour (empty when none).
    RECT Box(COLORREF colour) const
    {
        GdiFlush();
        RECT box = {m_width, m_height, -1, -1};
        DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                if ((m_bits[y * m_width + x] & 0xFFFFFF) != wanted)
                    continue;
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x);
                box.bottom = std::max<LONG>(box.bottom, y);
            }
        }
        return box;
    }

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits = nullptr;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetQuit();
        app.m_strTitle = "Velmo Screen Saver Setup";
    }
    void TearDown() override
    {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->DestroyWindow();
        DestroyAllPages();
        PumpPending();
        ResetQuit();
    }
    CMainWnd* CreateMain()
    {
        auto* mainWnd = new CMainWnd;
        if (!mainWnd->Create())
            return nullptr;
        app.m_pMainWnd = mainWnd;
        return mainWnd;
    }

    CSetupApp app;
};

} // namespace

TEST_F(MainWindow, CoversTheScreenWithoutCaptionBar)
{
    CMainWnd* mainWnd = CreateMain();
    ASSERT_NE(mainWnd, nullptr);
    HWND hWnd = mainWnd->m_hWnd;
    EXPECT_TRUE(IsZoomed(hWnd));
    EXPECT_TRUE(IsWindowVisible(hWnd));
    LONG style = GetWindowLongA(hWnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_BORDER) << "a thin border, no caption bar";
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_EQ(WindowText(hWnd), "Velmo Screen Saver Setup");
    EXPECT_EQ(GetClassLongA(hWnd, GCL_STYLE),
              static_cast<DWORD>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    EXPECT_NE(GetClassLongA(hWnd, GCL_HICON), 0u);
    EXPECT_EQ(GetClassLongA(hWnd, GCL_HBRBACKGROUND), 0u);
}

TEST_F(MainWindow, NoPaletteOnATrueColourDisplay)
{
    HDC screen = GetDC(nullptr);
    bool paletteDisplay = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(nullptr, screen);
    if (paletteDisplay)
        GTEST_SKIP() << "a palette display";
    CMainWnd* mainWnd = CreateMain();
    ASSERT_NE(mainWnd, nullptr);
    EXPECT_EQ(mainWnd->GetPalette(), nullptr);
    // Realising nothing changes nothing and asks for no repaint.
    ValidateRect(mainWnd->m_hWnd, nullptr);
    mainWnd->RealizeOwnPalette();
    RECT rc;
    EXPECT_FALSE(GetUpdateRect(mainWnd->m_hWnd, &rc, FALSE));
}

// On a 256-colour display the window builds its gradient palette when it is
// created: the 20 default entries, then the ramp from the top colour. Run by
// the unit_app_palette CTest entry under an 8-bit X screen, with
// VELMO_PALETTE_DISPLAY set to 1 (or to "no-xvfb" when Xvfb is missing).
TEST_F(MainWindow, PaletteOnAPaletteDisplay)
{
    const char* mode = std::getenv("VELMO_PALETTE_DISPLAY");
    if (mode == nullptr)
        GTEST_SKIP() << "needs an 8-bit display; run through the unit_app_palette test";
    if (std::string(mode) == "no-xvfb")
        GTEST_SKIP() << "Xvfb is not installed: the 256-colour palette is not tested";

    CMainWnd* mainWnd = CreateMain();
    ASSERT_NE(mainWnd, nullptr);
    HPALETTE palette = mainWnd->GetPalette();
    ASSERT_NE(palette, nullptr);
    WORD count = 0;
    ASSERT_NE(GetObjectA(palette, sizeof count, &count), 0);
    ASSERT_EQ(count, 256);
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 256, entries), 256u);
    EXPECT_EQ(RGB(entries[20].peRed, entries[20].peGreen, entries[20].peBlue),
              CMainWnd::kTopColour);
    EXPECT_EQ(
        RGB(entries[255].peRed, entries[255].peGreen, entries[255].peBlue),
        RGB(6 + 235 * (198 - 6) / 236, 1 + 235 * (252 - 1) / 236, 107 + 235 * (255 - 107) / 236));

    // Painting realises it: the ramp's colours are then in the system palette.
    UpdateWindow(mainWnd->m_hWnd);
    InvalidateRect(mainWnd->m_hWnd, nullptr, TRUE);
    UpdateWindow(mainWnd->m_hWnd);
    HDC screen = GetDC(nullptr);
    PALETTEENTRY system[256];
    UINT got = GetSystemPaletteEntries(screen, 0, 256, system);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(got, 256u);
    bool topInSystem = false;
    for (const PALETTEENTRY& e : system)
        topInSystem = topInSystem || RGB(e.peRed, e.peGreen, e.peBlue) == CMainWnd::kTopColour;
    EXPECT_TRUE(topInSystem);

    // Destroying the window deletes the palette with it.
    mainWnd->DestroyWindow();
    EXPECT_EQ(GetObjectType(palette), 0u);
}

TEST_F(MainWindow, CaptionIsWhiteWithABlackShadowBelowRight)
{
    CMainWnd window; // drawing needs no window of its own
    CCanvas canvas(700, 140, RGB(128, 128, 128));
    int mode = SetBkMode(canvas.dc(), OPAQUE);
    SetTextColor(canvas.dc(), RGB(10, 20, 30));
    HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
    RECT client = {0, 0, 700, 140};
    window.DrawCaption(canvas.dc(), client, "Velmo Screen Saver Setup", "Arial", 36, TRUE, TRUE,
                       TRUE);

    RECT white = canvas.Box(RGB(255, 255, 255));
    RECT black = canvas.Box(RGB(0, 0, 0));
    ASSERT_GE(white.right, 0) << "no white text";
    ASSERT_GE(black.right, 0) << "no shadow";
    int dx = 2 * GetSystemMetrics(SM_CXDLGFRAME);
    int dy = 2 * GetSystemMetrics(SM_CYDLGFRAME);
    EXPECT_GE(white.left, GetSystemMetrics(SM_CXHTHUMB));
    EXPECT_GE(white.top, GetSystemMetrics(SM_CYVTHUMB));
    EXPECT_NEAR(black.right - white.right, dx, 1);
    EXPECT_NEAR(black.bottom - white.bottom, dy, 1);
    // 36 points at the screen's resolution: the text is far taller than a dialog's.
    EXPECT_GT(white.bottom - white.top, 30);

    EXPECT_EQ(SetBkMode(canvas.dc(), mode), OPAQUE) << "background mode restored";
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(10, 20, 30)) << "text colour restored";
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font) << "font restored";
}

TEST_F(MainWindow, CloseAnsweredNoChangesNothing)
{
    CMainWnd* mainWnd = CreateMain();
    ASSERT_NE(mainWnd, nullptr);
    GoToPage(IDD_WELCOME);
    CWindowWatcher question("VelmoSaver Setup", Press(IDNO), IDYES);
    PostMessageA(mainWnd->m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return question.Count() == 1; }));
    PumpPending();
    EXPECT_TRUE(app.m_bSuccess);
    EXPECT_EQ(app.m_pMainWnd, mainWnd);
    EXPECT_EQ(g_pCurrentPage->m_nPageId, IDD_WELCOME);
}

TEST_F(MainWindow, CloseAnsweredYesFailsTheRunAndLeavesTheWizard)
{
    CMainWnd* mainWnd = CreateMain();
    ASSERT_NE(mainWnd, nullptr);
    GoToPage(IDD_WELCOME);
    CWindowWatcher question("VelmoSaver Setup", Press(IDYES), IDYES);
    PostMessageA(mainWnd->m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([] { return g_pCurrentPage->m_nPageId == IDD_NOT_INSTALLED; }));
    EXPECT_FALSE(app.m_bSuccess);
    EXPECT_EQ(app.m_pMainWnd, mainWnd) << "the window stays until the page's OK";
}

TEST_F(MainWindow, DestroyingItEndsTheMessageLoop)
{
    CMainWnd* mainWnd = CreateMain();
    ASSERT_NE(mainWnd, nullptr);
    GoToPage(IDD_WELCOME);
    HWND page = g_pCurrentPage->m_hWnd;
    GoToPage(kEndOfWizard);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_FALSE(IsWindow(page)) << "pages go with their owner";
    EXPECT_TRUE(PumpUntil([] { return QuitPosted(); }));
}
