#include "pages/CopyPage.h"

#include "app/SetupApp.h"
#include "archive/MultiFile.h"
#include "archive/MultiFileMember.h"
#include "install/CopyEngine.h"
#include "res/resource.h"
#include "support/PumpMessages.h"
#include "support/StringHelpers.h"

IMPLEMENT_DYNAMIC(CCopyPage, CWizardPage)

namespace {

// The gauge's window: a bordered child in place of the template's frame.
const DWORD kGaugeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

} // namespace

CCopyPage::CCopyPage(int nextPage) : CWizardPage(IDD_COPY, nextPage), m_gauge(0, 99, 0)
{
    m_nButtonBar = 0;
}

void CCopyPage::DoDataExchange(CDataExchange*) {}

BOOL CCopyPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    // Looked up once: each lookup is a trip to the server under Wine.
    m_hDestination = GetDlgItem(m_hWnd, IDC_COPY_DESTINATION);
    RECT none = {0, 0, 0, 0};
    m_gauge.Create(kGaugeStyle, none, this, IDC_COPY_GAUGE);
    return TRUE;
}

int CCopyPage::Percent(uint32_t written, uint32_t unpacked)
{
    if (unpacked == 0)
        return 100;
    // 64 bits: a file of more than 42 949 672 bytes overflows written * 100.
    const uint64_t percent = uint64_t(written) * 100 / unpacked;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

int CCopyPage::RunPageAction()
{
    CSetupApp* app = GetSetupApp();
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT)
        app->SetGroupSelected("System95", FALSE);

    m_gauge.m_nMin = 1;
    m_gauge.m_nMax = static_cast<uint32_t>(app->m_pFileList->RequiredBytes(0, false));
    m_gauge.SetPos(0, FALSE);

    CCopyEngine engine(*this);
    for (const auto& item : *app->m_pFileList) {
        if (item->IsSelected()) {
            SetDlgItemTextA(m_hWnd, IDC_COPY_SOURCE, item->m_strSourceName.c_str());
            UpdateWindow(m_hWnd);
            engine.InstallItem(*item);
        }
        if (!app->m_bSuccess)
            return IDD_NOT_INSTALLED;
    }
    app->m_pTargets->CreateShortcuts(*app->m_pDestinations, app->m_strDefaultGroup.c_str());
    return m_nNextPage;
}

void CCopyPage::OnCancel()
{
    m_bCancelRequest = TRUE;
}

void CCopyPage::UpdateProgress()
{
    CMultiFileMember* member = m_pCurrentMember;
    if (member == nullptr)
        return;
    const uint32_t written = static_cast<uint32_t>(member->GetCount(CXBlockFile::dirWrite));
    const uint32_t base = m_nBytesDone;

    PumpMessages();
    if (m_bCancelRequest) {
        if (ConfirmExit()) {
            if (CMultiFile* archive = member->GetArchive())
                archive->Abort();
            CWizardPage::SetNotInstalled();
            return;
        }
        m_bCancelRequest = FALSE;
    }

    m_gauge.SetPos(base + written, TRUE);
    std::string text;
    FormatString(text, "%s (%d%%)", member->GetTargetPath().c_str(),
                 Percent(written, member->GetUnpackedSize()));
    // The same text again would only repaint the same pixels, and under Wine
    // each setting is a trip to the server: thousands of them per file.
    if (text != m_strDestinationShown) {
        SetWindowTextA(m_hDestination, text.c_str());
        m_strDestinationShown = text;
    }
}
