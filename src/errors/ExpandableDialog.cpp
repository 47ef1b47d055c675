#include "errors/ExpandableDialog.h"

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/Mbcs.h"

IMPLEMENT_DYNAMIC(CExpandableDialog, CDialog)

namespace {

bool Contains(const RECT& area, LONG x, LONG y)
{
    return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
}

// Replaces the first from (two single-byte characters) in text by to; false
// when there is none. Never matches inside a double-byte character.
bool ReplaceFirst(std::string& text, const char* from, const char* to)
{
    for (size_t i = 0; i + 1 < text.size(); i = Mbcs::NextChar(text, i)) {
        if (text[i] == from[0] && text[i + 1] == from[1]) {
            text[i] = to[0];
            text[i + 1] = to[1];
            return true;
        }
    }
    return false;
}

} // namespace

CExpandableDialog::CExpandableDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

BOOL CExpandableDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    GetWindowRect(m_hWnd, &m_rcFull);
    m_bExpanded = TRUE;
    ToggleExpanded();
    return TRUE;
}

RECT CExpandableDialog::CollapsedWindowRect() const
{
    RECT marker = {0, 0, 0, 0};
    if (HWND hMarker = GetDlgItem(m_hWnd, IDC_COLLAPSE_MARKER)) {
        GetWindowRect(hMarker, &marker);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&marker), 2);
    }
    RECT rc = {0, 0, marker.right, marker.bottom};
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
    RECT window;
    GetWindowRect(m_hWnd, &window);
    return {window.left, window.top, window.left + (rc.right - rc.left),
            window.top + (rc.bottom - rc.top)};
}

void CExpandableDialog::EnableOutside(const RECT& area, bool enable)
{
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rc;
        GetWindowRect(child, &rc);
        if (!Contains(area, rc.left, rc.top) || !Contains(area, rc.right, rc.bottom))
            EnableWindow(child, enable ? TRUE : FALSE);
    }
}

void CExpandableDialog::ToggleExpanded()
{
    RECT collapsed = CollapsedWindowRect();
    if (m_bExpanded) {
        SetWindowPos(m_hWnd, nullptr, 0, 0, collapsed.right - collapsed.left,
                     collapsed.bottom - collapsed.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EnableOutside(collapsed, false);
    } else {
        SetWindowPos(m_hWnd, nullptr, 0, 0, m_rcFull.right - m_rcFull.left,
                     m_rcFull.bottom - m_rcFull.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EnableOutside(collapsed, true);
    }
    m_bExpanded = !m_bExpanded;

    if (HWND button = GetDlgItem(m_hWnd, IDC_MORE)) {
        int length = GetWindowTextLengthA(button);
        std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
        GetWindowTextA(button, buffer.data(), length + 1);
        std::string caption = buffer.data();
        bool changed =
            m_bExpanded ? ReplaceFirst(caption, ">>", "<<") : ReplaceFirst(caption, "<<", ">>");
        if (changed)
            SetWindowTextA(button, caption.c_str());
    }
}

BOOL CExpandableDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_MORE) {
        ToggleExpanded();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
