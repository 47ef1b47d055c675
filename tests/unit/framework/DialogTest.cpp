#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "FrameworkTestIds.h"
#include "common/GuiDriver.h"
#include "common/TestApp.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/FileException.h"

namespace {

// A dialog with two text fields exchanged with edits 101 and 102; button 104
// throws.
class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT templateId = IDD_TEST_MODAL) : CDialog(templateId) {}

    std::string m_strFirst;
    std::string m_strSecond;
    int m_nOK = 0;
    int m_nCancel = 0;
    bool m_bModelessKeys = false; // count OK/Cancel instead of ending

    void OnOK() override
    {
        ++m_nOK;
        if (!m_bModelessKeys)
            CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++m_nCancel;
        if (!m_bModelessKeys)
            CDialog::OnCancel();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TEST_FIRST, m_strFirst);
        DDX_Text(pDX, IDC_TEST_SECOND, m_strSecond);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_TEST_THROW)
            throw new CFileException(CFileException::diskFull);
        return CDialog::OnCommand(wParam, lParam);
    }
};

} // namespace

TEST(ModalDialog, DataGoesInAtStartAndComesBackOnOK)
{
    CTestApp app;
    CTestDialog dialog;
    dialog.m_strFirst = "loaded";
    std::string shown;
    CWindowWatcher watcher("Framework test", [&shown](HWND window) {
        shown = ItemText(window, IDC_TEST_FIRST);
        SetDlgItemTextA(window, IDC_TEST_SECOND, "typed");
        PressButton(window, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, "loaded");
    EXPECT_EQ(dialog.m_strSecond, "typed");
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(ModalDialog, EscapeAndTheCloseBoxCancel)
{
    CTestApp app;
    {
        CTestDialog dialog;
        CWindowWatcher watcher("Framework test", [](HWND window) { PostKey(window, VK_ESCAPE); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.m_nCancel, 1);
    }
    {
        CTestDialog dialog;
        CWindowWatcher watcher("Framework test",
                               [](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.m_nCancel, 1);
    }
}

TEST(ModalDialog, MissingTemplateFails)
{
    CTestApp app;
    CTestDialog dialog(IDD_TEST_MISSING);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(ModalDialog, HandlerExceptionIsReportedAndTheDialogStays)
{
    CTestApp app;
    CTestDialog dialog;
    bool stillOpen = false;
    CWindowWatcher watcher("Framework test", [&](HWND window) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_TEST_THROW, BN_CLICKED), 0);
        stillOpen = IsWindowVisible(window) != FALSE;
        PressButton(window, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(app.m_exceptions.size(), 1u);
    EXPECT_EQ(app.m_exceptions[0], "CFileException");
    EXPECT_EQ(app.m_messages[0], static_cast<UINT>(WM_COMMAND));
}

TEST(DataExchange, MissingControlIsAnError)
{
    CTestApp app;
    CTestDialog dialog(IDD_TEST_MODELESS);
    ASSERT_TRUE(dialog.Create(IDD_TEST_MODELESS));
    CDataExchange dx(&dialog, false);
    std::string value = "x";
    try {
        DDX_Text(&dx, 555, value);
        ADD_FAILURE() << "no exception for a missing control";
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)));
        e->Delete();
    }
    dialog.DestroyWindow();
}

namespace {

// A modeless dialog driven through the application's message loop.
class ModelessDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.m_bModelessKeys = true;
        ASSERT_TRUE(dialog.Create(IDD_TEST_MODELESS));
        SetForegroundWindow(dialog.m_hWnd);
        SetFocus(GetDlgItem(dialog.m_hWnd, IDC_TEST_FIRST));
    }
    void TearDown() override { dialog.DestroyWindow(); }

    int FocusId() { return GetDlgCtrlID(GetFocus()); }

    CTestApp app;
    CTestDialog dialog{IDD_TEST_MODELESS};
};

} // namespace

TEST_F(ModelessDialog, TabMovesTheFocus)
{
    ASSERT_EQ(FocusId(), IDC_TEST_FIRST);
    PostKey(dialog.m_hWnd, VK_TAB);
    EXPECT_TRUE(PumpUntil([this] { return FocusId() == IDC_TEST_SECOND; }, 2000));
}

TEST_F(ModelessDialog, EnterIsOKAndEscapeIsCancel)
{
    PostKey(dialog.m_hWnd, VK_RETURN);
    EXPECT_TRUE(PumpUntil([this] { return dialog.m_nOK == 1; }, 2000));
    PostKey(dialog.m_hWnd, VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([this] { return dialog.m_nCancel == 1; }, 2000));
}

TEST_F(ModelessDialog, BackgroundColourForFaceAndStaticsOnly)
{
    HDC dc = GetDC(dialog.m_hWnd);
    HWND label = GetDlgItem(dialog.m_hWnd, IDC_TEST_LABEL);
    HWND edit = GetDlgItem(dialog.m_hWnd, IDC_TEST_FIRST);

    // Without a colour set, the system's colours.
    auto noColour = reinterpret_cast<HBRUSH>(SendMessageA(dialog.m_hWnd, WM_CTLCOLORSTATIC,
                                                          reinterpret_cast<WPARAM>(dc),
                                                          reinterpret_cast<LPARAM>(label)));

    app.SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
    HBRUSH brush = app.GetDialogBkBrush();
    ASSERT_NE(brush, nullptr);
    EXPECT_NE(noColour, brush);

    SetBkColor(dc, RGB(1, 2, 3));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageA(dialog.m_hWnd, WM_CTLCOLORSTATIC,
                                                    reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(label))),
              brush);
    EXPECT_EQ(GetBkColor(dc), RGB(192, 192, 192));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageA(dialog.m_hWnd, WM_CTLCOLORDLG,
                                                    reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(dialog.m_hWnd))),
              brush);
    // A read-only edit asks as a static but keeps the system's colours.
    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
    EXPECT_NE(reinterpret_cast<HBRUSH>(SendMessageA(dialog.m_hWnd, WM_CTLCOLORSTATIC,
                                                    reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(edit))),
              brush);
    ReleaseDC(dialog.m_hWnd, dc);
}
