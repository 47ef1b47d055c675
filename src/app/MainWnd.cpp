#include "app/MainWnd.h"

#include "app/SetupApp.h"
#include "framework/MessageBox.h"
#include "res/StringIds.h"
#include "res/resource.h"
#include "widgets/PaintHelpers.h"
#include "wizard/WizardNavigation.h"

IMPLEMENT_DYNAMIC(CMainWnd, CFrameWnd)

namespace {

// Maximised, thin border, system menu, minimise and maximise boxes.
const DWORD kMainWindowStyle = 0x018B0000;

const char kCaptionFace[] = "Comic Sans MS";
const int kCaptionPoints = 36;

} // namespace

CMainWnd::CMainWnd() = default;

CMainWnd::~CMainWnd() = default;

HPALETTE CMainWnd::GetPalette() const
{
    return m_pPalette != nullptr ? static_cast<HPALETTE>(*m_pPalette) : nullptr;
}

BOOL CMainWnd::Create()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SETUP));
    std::string className = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS,
                                                LoadCursorA(nullptr, IDC_ARROW), nullptr, icon);
    if (className.empty()) {
        delete this;
        return FALSE;
    }
    if (!CFrameWnd::Create(className.c_str(), GetSetupApp()->m_strTitle.c_str(), kMainWindowStyle))
        return FALSE;
    // The system gives every overlapped window a caption bar; this one has
    // none, so the gradient and the painted title fill the screen.
    LONG style = GetWindowLongA(m_hWnd, GWL_STYLE);
    if ((style & WS_DLGFRAME) != 0 && (kMainWindowStyle & WS_DLGFRAME) == 0) {
        SetWindowLongA(m_hWnd, GWL_STYLE, style & ~WS_DLGFRAME);
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    ShowWindow(m_hWnd, GetSetupApp()->m_bBatch ? SW_SHOWMINIMIZED : SW_SHOWMAXIMIZED);
    return TRUE;
}

int CMainWnd::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (DefWindowProc(WM_CREATE, wParam, lParam) == -1)
        return -1;
    // Built once, for the size the window has now.
    m_pPalette = std::make_unique<CPalette>();
    RECT client;
    GetClientRect(m_hWnd, &client);
    CClientDC dc(m_hWnd);
    CreateRampPalette(dc, *m_pPalette, client, kTopColour, kBottomColour);
    return 0;
}

void CMainWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CSelectPalette palette(dc, GetPalette(), false);
    palette.Realize();
    RECT client;
    GetClientRect(m_hWnd, &client);
    FillVerticalGradient(dc, dc.PaintRect(), client, m_bActive != FALSE, kTopColour, kBottomColour);
    DrawCaption(dc, client, GetSetupApp()->m_strTitle.c_str(), kCaptionFace, kCaptionPoints, TRUE,
                TRUE, TRUE);
}

void CMainWnd::DrawCaption(HDC dc, const RECT&, const char* text, const char* face, int points,
                           BOOL bold, BOOL italic, BOOL shadow)
{
    int x = GetSystemMetrics(SM_CXHTHUMB);
    int y = GetSystemMetrics(SM_CYVTHUMB);
    int dx = 2 * GetSystemMetrics(SM_CXDLGFRAME);
    int dy = 2 * GetSystemMetrics(SM_CYDLGFRAME);
    int length = lstrlenA(text);

    CFont font;
    CreateFontPoints(font, dc, face, points, bold != FALSE, italic);
    CSelectObject selection(dc, font.GetSafeHandle());
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour = SetTextColor(dc, RGB(0, 0, 0));
    if (shadow)
        TextOutA(dc, x + dx, y + dy, text, length);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, x, y, text, length);
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColour);
}

void CMainWnd::RealizeOwnPalette()
{
    UINT changed = 0;
    {
        CClientDC dc(m_hWnd);
        CSelectPalette palette(dc, GetPalette(), false);
        changed = palette.Realize();
    }
    if (changed > 0)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CMainWnd::OnDestroy()
{
    m_pPalette.reset();
}

void CMainWnd::OnActivateApp(BOOL active)
{
    m_bActive = active;
}

void CMainWnd::OnPaletteChanged(HWND changedBy)
{
    if (changedBy != m_hWnd)
        RealizeOwnPalette();
}

void CMainWnd::OnClose()
{
    if (AfxMessageBox(IDS_CONFIRM_EXIT, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The question announces that Setup exits: the wizard leaves the way a
    // cancel does, through the not-installed page.
    GetSetupApp()->m_bSuccess = FALSE;
    AbandonWizard();
}

LRESULT CMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(wParam, lParam);
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_ACTIVATEAPP:
        OnActivateApp(static_cast<BOOL>(wParam));
        break;
    case WM_PALETTECHANGED:
        OnPaletteChanged(reinterpret_cast<HWND>(wParam));
        break;
    case WM_QUERYNEWPALETTE:
        RealizeOwnPalette();
        break;
    case WM_CLOSE:
        OnClose();
        return 0;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}
