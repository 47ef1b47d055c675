#include "framework/MessageBox.h"

#include "framework/ResourceString.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

const unsigned kAppTitleId = 57344;

} // namespace

int AfxMessageBox(const char* text, UINT type)
{
    CWinApp* app = AfxGetApp();
    std::string title = app != nullptr ? app->m_strAppName : ResourceString(kAppTitleId);
    HWND owner = nullptr;
    CWnd* mainWnd = AfxGetMainWnd();
    if (mainWnd != nullptr && mainWnd->m_hWnd != nullptr)
        owner = GetLastActivePopup(mainWnd->m_hWnd);
    return MessageBoxA(owner, text, title.c_str(), type);
}

int AfxMessageBox(UINT textId, UINT type)
{
    return AfxMessageBox(ResourceString(textId).c_str(), type);
}
