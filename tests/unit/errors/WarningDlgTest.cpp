#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "common/GuiDriver.h"
#include "common/TestApp.h"
#include "errors/XErrorReport.h"
#include "res/StringIds.h"
#include "res/resource.h"

namespace {

using Action = std::function<void(HWND)>;
const Action kEscape = [](HWND dialog) { PostKey(dialog, VK_ESCAPE); };
const Action kCloseBox = [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); };

// Where the client area ends ("full" size or at the collapse marker), the
// enabled texts and the More button's caption.
std::string State(HWND dialog)
{
    RECT client, full = {0, 0, 207, 162}, marker;
    GetClientRect(dialog, &client);
    MapDialogRect(dialog, &full);
    GetWindowRect(GetDlgItem(dialog, IDC_COLLAPSE_MARKER), &marker);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&marker), 2);
    RECT toMarker = {0, 0, marker.right, marker.bottom};
    std::string state = EqualRect(&client, &full) ? "full" : "";
    state += EqualRect(&client, &toMarker) ? "to the marker" : "";
    for (int id : {IDOK, IDC_WARNING_HELP, IDC_WARNING_DESCRIPTION, IDC_WARNING_INFO})
        state += IsWindowEnabled(GetDlgItem(dialog, id)) ? " " + ItemText(dialog, id) : "";
    return state + " " + ItemText(dialog, IDC_MORE);
}

class WarningDialog : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(app.m_exceptions.empty()); }

    // Informs (or asks) with the action run on the dialog once it is up and
    // its texts are read; true when it asked and the answer was Continue.
    bool Show(bool ask, int headlineId, CException* e, const Action& action,
              const char* argument = "A.ARC")
    {
        CWindowWatcher watcher("Warning", [&](HWND dialog) {
            for (int id : {IDC_WARNING_HEADLINE, IDC_WARNING_TITLE, IDC_WARNING_DESCRIPTION,
                           IDC_WARNING_INFO, IDOK, IDCANCEL})
                shown[id] = ItemText(dialog, id);
            cancelVisible = IsWindowVisible(GetDlgItem(dialog, IDCANCEL)) != FALSE;
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
    std::map<int, std::string> shown;
    bool cancelVisible = false;
    int seen = 0;
};

} // namespace

TEST_F(WarningDialog, InformsWithACutHeadlineTheTranslatedTextsAndOKOnly)
{
    bool deleted = false;
    auto* e = new CProbeException(CFileException::accessDenied, &deleted);
    std::string path(900, 'p');
    Show(false, IDS_CANNOT_INSTALL_FILES, e, Press(IDOK), path.c_str());
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(shown[IDC_WARNING_HEADLINE], ("Cannot install files from '" + path).substr(0, 511));
    EXPECT_EQ(shown[IDOK], "OK");
    EXPECT_FALSE(cancelVisible);
    EXPECT_FALSE(deleted) << "the caller's exception was deleted";
    e->Delete();
}

TEST_F(WarningDialog, AskingOffersContinueAndCancelAndOnlyContinueGoesOn)
{
    // (Continue and Cancel Operation answered: end-to-end rows damaged-*.)
    CFileException e(CFileException::sharingViolation);
    for (const Action& end : {kEscape, kCloseBox})
        EXPECT_FALSE(Show(true, IDS_CANNOT_INSTALL_FILES, &e, end));
    EXPECT_EQ(shown[IDCANCEL], "Cancel Operation");
    EXPECT_TRUE(cancelVisible);
    // Informing, Escape and the close box end the dialog too.
    for (const Action& end : {kEscape, kCloseBox}) {
        Show(false, IDS_SETUP_CANNOT_CONTINUE, &e, end);
        EXPECT_EQ(seen, 1);
    }
}

TEST_F(WarningDialog, OpensCollapsedAndMoreToggles)
{
    CFileException e;
    std::vector<std::string> states;
    Show(false, IDS_SETUP_CANNOT_CONTINUE, &e, [&states](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_WARNING_DESCRIPTION, "description");
        SetDlgItemTextA(dialog, IDC_WARNING_INFO, "info");
        for (int click = 0; click < 3; ++click) {
            states.push_back(State(dialog));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MORE, BN_CLICKED), 0);
        }
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(states, (std::vector<std::string>{"to the marker OK &Help &More>>",
                                                "full OK &Help description info &More<<",
                                                "to the marker OK &Help &More>>"}));
}
