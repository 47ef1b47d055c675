#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/GuiDriver.h"
#include "common/TestApp.h"
#include "errors/MultiFileException.h"
#include "errors/XErrorReport.h"
#include "framework/FileException.h"
#include "framework/ResourceString.h"
#include "res/StringIds.h"
#include "res/resource.h"

namespace {

// A framework file exception that says when it is deleted.
class CProbeFileException : public CFileException {
public:
    CProbeFileException(int cause, bool* deleted) : CFileException(cause), m_pDeleted(deleted) {}
    ~CProbeFileException() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

// What the warning dialog showed when it came up.
struct Shown {
    std::string headline, title, description, info, first, second;
    bool secondVisible = false;
    HICON icon = nullptr;
};

Shown Read(HWND dialog)
{
    Shown s;
    s.headline = ItemText(dialog, IDC_WARNING_HEADLINE);
    s.title = ItemText(dialog, IDC_WARNING_TITLE);
    s.description = ItemText(dialog, IDC_WARNING_DESCRIPTION);
    s.info = ItemText(dialog, IDC_WARNING_INFO);
    s.first = ItemText(dialog, IDOK);
    s.second = ItemText(dialog, IDCANCEL);
    s.secondVisible = IsWindowVisible(GetDlgItem(dialog, IDCANCEL)) != FALSE;
    s.icon =
        reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_WARNING_ICON, STM_GETICON, 0, 0));
    return s;
}

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

SIZE ClientSize(HWND dialog)
{
    RECT rc;
    GetClientRect(dialog, &rc);
    return {rc.right, rc.bottom};
}

SIZE DialogUnits(HWND dialog, int x, int y)
{
    RECT rc = {0, 0, x, y};
    MapDialogRect(dialog, &rc);
    return {rc.right, rc.bottom};
}

// Runs the keyboard message through the dialog manager, as the modal loop does.
void Key(HWND dialog, UINT key)
{
    MSG msg = {GetFocus(), WM_KEYDOWN, key, 1, 0, {0, 0}};
    IsDialogMessageA(dialog, &msg);
}

class WarningDialog : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(app.m_exceptions.empty()) << app.m_exceptions[0]; }

    // Reports (or asks) with the action run on the dialog once it is up.
    bool Show(bool ask, int headlineId, CException* e, std::function<void(HWND)> action,
              const char* argument = nullptr)
    {
        CWindowWatcher watcher("Warning", [&](HWND dialog) {
            shown = Read(dialog);
            action(dialog);
        });
        bool result = false;
        if (ask)
            result = QueryXErrorContinue(headlineId, e, argument);
        else
            ReportXError(headlineId, e, argument);
        seen = watcher.Count();
        return result;
    }

    CTestApp app;
    Shown shown;
    int seen = 0;
};

} // namespace

TEST_F(WarningDialog, ReportsAFrameworkExceptionThroughItsTranslation)
{
    bool deleted = false;
    auto* e = new CProbeFileException(CFileException::accessDenied, &deleted);
    Show(false, IDS_SETUP_CANNOT_CONTINUE, e, Press(IDOK));
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(shown.headline, "Setup cannot continue");
    EXPECT_EQ(shown.title, "Access denied.");
    EXPECT_EQ(shown.description, ResourceString(24597));
    EXPECT_EQ(shown.info, "9.5 (CXFileException)");
    EXPECT_EQ(shown.icon, LoadIconA(nullptr, MAKEINTRESOURCEA(32515)));
    EXPECT_EQ(shown.first, "OK") << "informing: OK only";
    EXPECT_FALSE(shown.secondVisible);
    EXPECT_FALSE(deleted) << "the caller's exception was deleted";
    EXPECT_EQ(e->m_cause, CFileException::accessDenied);
    e->Delete();
    EXPECT_TRUE(deleted);
}

TEST_F(WarningDialog, UnknownFrameworkExceptionIsCode1OfTheBaseClass)
{
    CException e;
    Show(false, IDS_SETUP_CANNOT_CONTINUE, &e, Press(IDOK));
    EXPECT_EQ(shown.title, "An unkown error occured.");
    EXPECT_EQ(shown.description, ResourceString(IDS_XERR_UNKNOWN_DESCRIPTION));
    EXPECT_EQ(shown.info, "9.1 (CXException)");
}

TEST_F(WarningDialog, FamilyMemberShownWithItsOwnTextsAndFormattedHeadline)
{
    CMultiFileException e(CMultiFileException::crcMismatch);
    Show(false, IDS_CANNOT_INSTALL_FILES, &e, Press(IDOK), "SAVER.ARC");
    EXPECT_EQ(shown.headline, "Cannot install files from 'SAVER.ARC':");
    EXPECT_EQ(shown.title, ResourceString(IDS_ARC_CRC_TITLE));
    EXPECT_EQ(shown.info, "17.5 (CMultiFileException)");
}

TEST_F(WarningDialog, HeadlineCutAt511Characters)
{
    std::string path(900, 'p');
    CFileException e(CFileException::fileNotFound);
    Show(false, IDS_CANNOT_INSTALL_FILES, &e, Press(IDOK), path.c_str());
    ASSERT_EQ(shown.headline.size(), 511u);
    EXPECT_EQ(shown.headline.substr(0, 26), "Cannot install files from ");
}

TEST_F(WarningDialog, InformingEndsWithEscapeOrTheCloseBox)
{
    CFileException e;
    Show(false, IDS_SETUP_CANNOT_CONTINUE, &e, [](HWND d) { PostKey(d, VK_ESCAPE); });
    EXPECT_EQ(seen, 1);
    Show(false, IDS_SETUP_CANNOT_CONTINUE, &e, [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });
    EXPECT_EQ(seen, 1);
}

TEST_F(WarningDialog, AskingOffersContinueAndCancel)
{
    CFileException e(CFileException::sharingViolation);
    EXPECT_TRUE(Show(true, IDS_CANNOT_INSTALL_FILES, &e, Press(IDOK), "A.ARC"));
    EXPECT_EQ(shown.first, "Continue Operation");
    EXPECT_EQ(shown.second, "Cancel Operation");
    EXPECT_TRUE(shown.secondVisible);
    EXPECT_EQ(shown.info, "17.11 (CXFileException)");

    EXPECT_FALSE(Show(true, IDS_CANNOT_INSTALL_FILES, &e, Press(IDCANCEL), "A.ARC"));
    EXPECT_FALSE(Show(
        true, IDS_CANNOT_INSTALL_FILES, &e, [](HWND d) { PostKey(d, VK_ESCAPE); }, "A.ARC"));
    EXPECT_FALSE(Show(
        true, IDS_CANNOT_INSTALL_FILES, &e, [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); },
        "A.ARC"));
    EXPECT_EQ(seen, 1);
}

TEST_F(WarningDialog, OpensCollapsedAndMoreToggles)
{
    CFileException e;
    SIZE collapsed{}, expanded{}, again{}, markerCorner{}, fullUnits{};
    std::string captionExpanded, captionAgain;
    bool descriptionAtStart = true, infoAtStart = true, buttonsAtStart = false;
    bool descriptionExpanded = false, descriptionAgain = true;
    Show(false, IDS_SETUP_CANNOT_CONTINUE, &e, [&](HWND d) {
        collapsed = ClientSize(d);
        RECT marker;
        GetWindowRect(GetDlgItem(d, IDC_COLLAPSE_MARKER), &marker);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&marker), 2);
        markerCorner = {marker.right, marker.bottom};
        fullUnits = DialogUnits(d, 207, 162);
        descriptionAtStart = Enabled(d, IDC_WARNING_DESCRIPTION);
        infoAtStart = Enabled(d, IDC_WARNING_INFO);
        buttonsAtStart = Enabled(d, IDOK) && Enabled(d, IDC_WARNING_HELP) && Enabled(d, IDC_MORE);

        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_MORE, BN_CLICKED), 0);
        expanded = ClientSize(d);
        captionExpanded = ItemText(d, IDC_MORE);
        descriptionExpanded = Enabled(d, IDC_WARNING_DESCRIPTION);

        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_MORE, BN_CLICKED), 0);
        again = ClientSize(d);
        captionAgain = ItemText(d, IDC_MORE);
        descriptionAgain = Enabled(d, IDC_WARNING_DESCRIPTION);
        PressButton(d, IDOK);
    });
    // The marker's bottom-right corner, (207, 74) in dialog units, ends the client area.
    EXPECT_EQ(collapsed.cx, markerCorner.cx);
    EXPECT_EQ(collapsed.cy, markerCorner.cy);
    EXPECT_FALSE(descriptionAtStart);
    EXPECT_FALSE(infoAtStart);
    EXPECT_TRUE(buttonsAtStart);

    EXPECT_EQ(expanded.cx, fullUnits.cx);
    EXPECT_EQ(expanded.cy, fullUnits.cy);
    EXPECT_EQ(captionExpanded, "&More<<");
    EXPECT_TRUE(descriptionExpanded);

    EXPECT_EQ(again.cx, collapsed.cx);
    EXPECT_EQ(again.cy, collapsed.cy);
    EXPECT_EQ(captionAgain, "&More>>");
    EXPECT_FALSE(descriptionAgain);
}

TEST_F(WarningDialog, TabReachesTheDescriptionOnlyWhenExpanded)
{
    CFileException e;
    std::vector<int> collapsedFocus, expandedFocus;
    Show(false, IDS_SETUP_CANNOT_CONTINUE, &e, [&](HWND d) {
        for (int i = 0; i < 8; ++i) {
            Key(d, VK_TAB);
            collapsedFocus.push_back(GetDlgCtrlID(GetFocus()));
        }
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_MORE, BN_CLICKED), 0);
        for (int i = 0; i < 8; ++i) {
            Key(d, VK_TAB);
            expandedFocus.push_back(GetDlgCtrlID(GetFocus()));
        }
        PressButton(d, IDOK);
    });
    for (int id : collapsedFocus)
        EXPECT_NE(id, IDC_WARNING_DESCRIPTION);
    bool reached = false;
    for (int id : expandedFocus)
        reached = reached || id == IDC_WARNING_DESCRIPTION;
    EXPECT_TRUE(reached);
}

TEST_F(WarningDialog, HelpDoesNothing)
{
    CFileException e;
    bool open = false;
    EXPECT_TRUE(Show(true, IDS_SETUP_CANNOT_CONTINUE, &e, [&](HWND d) {
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_WARNING_HELP, BN_CLICKED), 0);
        PumpPending();
        open = IsWindowVisible(d) != FALSE;
        PressButton(d, IDOK);
    }));
    EXPECT_TRUE(open);
}

TEST_F(WarningDialog, SmallFontAndFaceColouredDescription)
{
    CFileException e;
    LOGFONTA info{}, description{}, headline{};
    COLORREF brushColour = 0, backColour = 0;
    Show(false, IDS_SETUP_CANNOT_CONTINUE, &e, [&](HWND d) {
        auto fontOf = [d](int id, LOGFONTA& lf) {
            HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(d, id, WM_GETFONT, 0, 0));
            GetObjectA(font, sizeof lf, &lf);
        };
        fontOf(IDC_WARNING_INFO, info);
        fontOf(IDC_WARNING_DESCRIPTION, description);
        fontOf(IDC_WARNING_HEADLINE, headline);

        HDC dc = GetDC(d);
        SetBkColor(dc, RGB(1, 2, 3));
        HBRUSH brush = reinterpret_cast<HBRUSH>(
            SendMessageA(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_WARNING_DESCRIPTION))));
        backColour = GetBkColor(dc);
        LOGBRUSH lb{};
        GetObjectA(brush, sizeof lb, &lb);
        brushColour = lb.lbColor;
        ReleaseDC(d, dc);
        PressButton(d, IDOK);
    });
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    EXPECT_STREQ(info.lfFaceName, "Arial");
    EXPECT_EQ(info.lfHeight, height);
    EXPECT_STREQ(description.lfFaceName, "Arial");
    EXPECT_STRNE(headline.lfFaceName, "Arial") << "only the two lower texts are small";
    EXPECT_EQ(brushColour, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(backColour, GetSysColor(COLOR_BTNFACE));
}

TEST_F(WarningDialog, UnattendedShowsNothingAndDoesNotContinue)
{
    app.m_bUnattended = TRUE;
    CFileException e;
    EXPECT_FALSE(Show(true, IDS_CANNOT_INSTALL_FILES, &e, Press(IDOK), "A.ARC"));
    EXPECT_EQ(seen, 0);
    Show(false, IDS_SETUP_CANNOT_CONTINUE, &e, Press(IDOK));
    EXPECT_EQ(seen, 0);
}
