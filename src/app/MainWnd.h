#pragma once
// CMainWnd: the background window of the setup program and the framework's
// main window. It covers the screen (shown maximised, minimised when
// unattended), is painted with a vertical gradient from dark blue to light
// cyan, and carries the setup title in large white italic letters with a
// black shadow. It owns the palette the gradient is drawn with on palette
// displays and realises it again when the system palette changes. Every
// wizard page is owned by it; destroying it ends the program.

#include <memory>

#include "framework/FrameWnd.h"
#include "framework/GdiObjects.h"

class CMainWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMainWnd)
public:
    // Gradient colours (COLORREF: red in the low byte).
    static constexpr COLORREF kTopColour = 0x6B0106;    // red 6, green 1, blue 107
    static constexpr COLORREF kBottomColour = 0xFFFCC6; // red 198, green 252, blue 255

    CMainWnd();
    ~CMainWnd() override;

    // Creates and shows the window. On failure the object is deleted (as it
    // is at the end of its window) and the result is FALSE.
    BOOL Create();

    // Selects and realises the palette; repaints when that changed the system palette.
    void RealizeOwnPalette();
    // Writes text in the given font at the top-left corner, white, with a
    // black shadow below and to the right when shadow is set. The rectangle
    // is not used.
    void DrawCaption(HDC dc, const RECT& client, const char* text, const char* face, int points,
                     BOOL bold, BOOL italic, BOOL shadow);

    // The gradient palette; null before creation, after destruction, and on a
    // display that has no palette entries to spare.
    HPALETTE GetPalette() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnDestroy();
    void OnActivateApp(BOOL active);
    void OnPaletteChanged(HWND changedBy);
    void OnClose();

private:
    std::unique_ptr<CPalette> m_pPalette;
    BOOL m_bActive = FALSE;
};
