#pragma once
// CExpandableDialog: a modal dialog with a collapsed and an expanded size.
//
// The template holds a marker control (IDC_COLLAPSE_MARKER) whose bottom-right
// corner is the bottom-right of the collapsed client area, and may hold a
// toggle button (IDC_MORE) whose caption ends in ">>" while collapsed and
// "<<" while expanded. Every such dialog opens collapsed. Controls with a
// corner outside the collapsed area are disabled while collapsed, so that the
// keyboard cannot reach what cannot be seen.

#include "framework/Dialog.h"

class CExpandableDialog : public CDialog {
    DECLARE_DYNAMIC(CExpandableDialog)
public:
    explicit CExpandableDialog(UINT templateId, CWnd* parent = nullptr);

    // Records the full size, then collapses.
    BOOL OnInitDialog() override;

    // Switches between the two sizes and turns the toggle button's ">>" into
    // "<<" or back.
    void ToggleExpanded();
    bool IsExpanded() const { return m_bExpanded != FALSE; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The window rectangle of the collapsed dialog, in screen coordinates, at
    // the window's present position.
    RECT CollapsedWindowRect() const;
    // Enables (or disables) every child with a corner outside area.
    void EnableOutside(const RECT& area, bool enable);

    BOOL m_bExpanded = FALSE;
    RECT m_rcFull = {0, 0, 0, 0};
};
