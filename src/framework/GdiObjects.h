#pragma once
// Owning wrappers for GDI objects and device contexts.
//
// Each wrapper owns at most one handle and frees it when it goes out of scope;
// they move but never copy, so a handle has exactly one owner. Create... calls
// return false like the API and leave the wrapper empty on failure.
//
// An object must not be deleted while it is selected into a device context:
// declare the object before the CSelectObject/CSelectPalette that selects it,
// so the selection is undone first:
//
//     CFont font;
//     CreateFontPoints(font, dc, "Arial", 8);
//     CSelectObject selection(dc, font.GetSafeHandle());
//     TextOutA(dc, ...);   // the old font is back before the new one goes

#include <windows.h>

// Owns one GDI object handle of any kind (pen, brush, font, bitmap, palette, region).
class CGdiObject {
public:
    CGdiObject() = default;
    // Takes ownership of hObject (which may be null).
    explicit CGdiObject(HGDIOBJ hObject) : m_hObject(hObject) {}
    ~CGdiObject();

    CGdiObject(CGdiObject&& other) noexcept;
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Takes ownership of hObject, first deleting the object held so far.
    // False when hObject is null (the wrapper is then empty).
    bool Attach(HGDIOBJ hObject);
    // Gives up ownership without deleting; returns the handle (null when empty).
    HGDIOBJ Detach();
    // Deletes the object held, if any; the wrapper is empty afterwards. False when
    // it was empty or the system refused (an object still selected into a DC).
    bool DeleteObject();

    // The handle held, or null.
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool IsEmpty() const { return m_hObject == nullptr; }

protected:
    HGDIOBJ m_hObject = nullptr;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    bool CreateSolidBrush(COLORREF colour);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    CFont() = default;
    bool CreateFontIndirect(const LOGFONTA& logFont);
    // Fills logFont with the font's description; false when empty.
    bool GetLogFont(LOGFONTA& logFont) const;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CPalette : public CGdiObject {
public:
    CPalette() = default;
    bool CreatePalette(const LOGPALETTE& logPalette);
    // Number of entries; 0 when empty.
    int GetEntryCount() const;
    // Copies count entries from start into entries; returns how many were copied
    // (0 when empty or start lies past the end).
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
    CBitmap() = default;
    // A bitmap of the colour format of dc (not of a memory DC's 1 × 1 monochrome default).
    bool CreateCompatibleBitmap(HDC dc, int width, int height);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

// A memory device context, compatible with dc or, when dc is null, with the
// screen; deleted on scope exit. GetSafeHdc() is null when creation failed.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC dc = nullptr);
    ~CMemoryDC();
    CMemoryDC(CMemoryDC&& other) noexcept;
    CMemoryDC& operator=(CMemoryDC&& other) noexcept;
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC = nullptr;
};

// The client-area device context of a window (GetDC), released on scope exit.
// With a null window it is the screen's. GetSafeHdc() is null when GetDC failed.
class CClientDC {
public:
    explicit CClientDC(HWND hWnd);
    ~CClientDC();
    CClientDC(CClientDC&& other) noexcept;
    CClientDC& operator=(CClientDC&& other) noexcept;
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd = nullptr;
    HDC m_hDC = nullptr;
};

// BeginPaint on construction, EndPaint on scope exit, for WM_PAINT handlers.
// Not movable: EndPaint must pair with the one BeginPaint on the same window.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    // The area to repaint.
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};

// Selects a pen, brush, font or bitmap into a DC and selects the previous one
// back on scope exit. Does nothing when dc or the object is null.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ hObject);
    ~CSelectObject();
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

    // The object that was selected before (null when nothing was selected).
    HGDIOBJ Previous() const { return m_hPrevious; }

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious = nullptr;
};

// Selects a palette into a DC (SelectPalette) and selects the previous one back
// on scope exit, with the same background flag. Does nothing when dc or the
// palette is null; Realize() then returns 0.
class CSelectPalette {
public:
    CSelectPalette(HDC dc, HPALETTE hPalette, bool bForceBackground);
    ~CSelectPalette();
    CSelectPalette(const CSelectPalette&) = delete;
    CSelectPalette& operator=(const CSelectPalette&) = delete;

    // RealizePalette on the DC: the number of system-palette entries that changed
    // (0 also when it failed).
    UINT Realize() const;

private:
    HDC m_hDC;
    HPALETTE m_hPrevious = nullptr;
    bool m_bForceBackground;
};
