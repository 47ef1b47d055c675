#include "framework/GdiObjects.h"

#include <utility>

// CGdiObject

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject::CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.Detach()) {}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other) {
        DeleteObject();
        m_hObject = other.Detach();
    }
    return *this;
}

bool CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject != m_hObject)
        DeleteObject();
    m_hObject = hObject;
    return hObject != nullptr;
}

HGDIOBJ CGdiObject::Detach()
{
    return std::exchange(m_hObject, nullptr);
}

bool CGdiObject::DeleteObject()
{
    HGDIOBJ hObject = Detach();
    return hObject != nullptr && ::DeleteObject(hObject) != FALSE;
}

// The typed objects

bool CBrush::CreateSolidBrush(COLORREF colour)
{
    return Attach(::CreateSolidBrush(colour));
}

bool CFont::CreateFontIndirect(const LOGFONTA& logFont)
{
    return Attach(::CreateFontIndirectA(&logFont));
}

bool CFont::GetLogFont(LOGFONTA& logFont) const
{
    return m_hObject != nullptr && ::GetObjectA(m_hObject, sizeof logFont, &logFont) != 0;
}

bool CPalette::CreatePalette(const LOGPALETTE& logPalette)
{
    return Attach(::CreatePalette(&logPalette));
}

int CPalette::GetEntryCount() const
{
    WORD count = 0;
    if (m_hObject == nullptr || ::GetObjectA(m_hObject, sizeof count, &count) == 0)
        return 0;
    return count;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const
{
    if (m_hObject == nullptr)
        return 0;
    return ::GetPaletteEntries(*this, start, count, entries);
}

bool CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(dc, width, height));
}

// CMemoryDC

CMemoryDC::CMemoryDC(HDC dc) : m_hDC(::CreateCompatibleDC(dc)) {}

CMemoryDC::~CMemoryDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(m_hDC);
}

CMemoryDC::CMemoryDC(CMemoryDC&& other) noexcept : m_hDC(std::exchange(other.m_hDC, nullptr)) {}

CMemoryDC& CMemoryDC::operator=(CMemoryDC&& other) noexcept
{
    if (this != &other) {
        if (m_hDC != nullptr)
            ::DeleteDC(m_hDC);
        m_hDC = std::exchange(other.m_hDC, nullptr);
    }
    return *this;
}

// CClientDC

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, m_hDC);
}

CClientDC::CClientDC(CClientDC&& other) noexcept
    : m_hWnd(other.m_hWnd), m_hDC(std::exchange(other.m_hDC, nullptr))
{
}

CClientDC& CClientDC::operator=(CClientDC&& other) noexcept
{
    if (this != &other) {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
        m_hWnd = other.m_hWnd;
        m_hDC = std::exchange(other.m_hDC, nullptr);
    }
    return *this;
}

// CPaintDC

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::BeginPaint(hWnd, &m_ps)) {}

CPaintDC::~CPaintDC()
{
    // EndPaint also restores the caret that BeginPaint hid, so it runs even when
    // BeginPaint gave no DC.
    ::EndPaint(m_hWnd, &m_ps);
}

// Selections

CSelectObject::CSelectObject(HDC dc, HGDIOBJ hObject) : m_hDC(dc)
{
    if (dc != nullptr && hObject != nullptr)
        m_hPrevious = ::SelectObject(dc, hObject);
    // SelectObject reports failure as null or, for regions, HGDI_ERROR.
    if (m_hPrevious == HGDI_ERROR)
        m_hPrevious = nullptr;
}

CSelectObject::~CSelectObject()
{
    if (m_hPrevious != nullptr)
        ::SelectObject(m_hDC, m_hPrevious);
}

CSelectPalette::CSelectPalette(HDC dc, HPALETTE hPalette, bool bForceBackground)
    : m_hDC(dc), m_bForceBackground(bForceBackground)
{
    if (dc != nullptr && hPalette != nullptr)
        m_hPrevious = ::SelectPalette(dc, hPalette, bForceBackground ? TRUE : FALSE);
}

CSelectPalette::~CSelectPalette()
{
    if (m_hPrevious != nullptr)
        ::SelectPalette(m_hDC, m_hPrevious, m_bForceBackground ? TRUE : FALSE);
}

UINT CSelectPalette::Realize() const
{
    if (m_hPrevious == nullptr)
        return 0;
    UINT changed = ::RealizePalette(m_hDC);
    return changed == GDI_ERROR ? 0 : changed;
}
