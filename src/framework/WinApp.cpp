#include "framework/WinApp.h"

#include "framework/Exception.h"
#include "framework/ResourceString.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CObject)

namespace {

CWinApp* g_pApp = nullptr;

// The framework's title string: the application's name when none is given.
const unsigned kAppTitleId = 57344;

} // namespace

CWinApp::CWinApp(const char* appName)
{
    if (appName != nullptr)
        m_strAppName = appName;
    else
        LoadResourceString(kAppTitleId, m_strAppName);
    m_hInstance = GetModuleHandleA(nullptr);
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            m_nExitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return m_nExitCode;
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    // From the window the message is for up to its top-level window: the first
    // framework window that takes it wins.
    for (HWND hWnd = msg->hwnd; hWnd != nullptr;) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(msg))
            return TRUE;
        if ((GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            break;
        hWnd = GetParent(hWnd);
    }
    return FALSE;
}

void CWinApp::SetDialogBkColor(COLORREF bkColour, COLORREF textColour)
{
    m_dialogBrush.CreateSolidBrush(bkColour);
    m_dialogBkColour = bkColour;
    m_dialogTextColour = textColour;
}

std::string AfxCommandLineArguments(const char* fullCommandLine)
{
    const char* p = fullCommandLine != nullptr ? fullCommandLine : "";
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

int AfxWinMain(HINSTANCE hInstance, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    app->m_hInstance = hInstance;
    app->m_nCmdShow = nCmdShow;
    app->m_strCmdLine = AfxCommandLineArguments(GetCommandLineA());
    if (app->InitInstance())
        app->Run();
    return app->ExitInstance();
}
