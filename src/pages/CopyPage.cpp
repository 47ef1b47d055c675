#include "pages/CopyPage.h"

#include "app/SetupApp.h"
#include "archive/ArchiveFormat.h"
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

LRESULT CCopyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Sent after every message the waiting dialog's loop serves: a display
    // that is already current costs no trip to the server.
    if (message == WM_ENTERIDLE && m_pCurrentMember != nullptr)
        ShowProgress(*m_pCurrentMember);
    return CWizardPage::WindowProc(message, wParam, lParam);
}

void CCopyPage::OnCancel()
{
    m_bCancelRequest = TRUE;
}

void CCopyPage::SetCurrentMember(CMultiFileMember* member)
{
    // The last block of a file seldom ends a block, and the last update may
    // be up to kRefreshTicks old: the file's end shows its final values. A
    // member that is not installed wrote nothing (its counts are still the
    // previous member's).
    CMultiFileMember* ended = m_pCurrentMember;
    if (member == nullptr && ended != nullptr &&
        ended->GetDestinationId() != ArchiveFormat::kNotInstalled)
        ShowProgress(*ended);
    m_pCurrentMember = member;
}

void CCopyPage::UpdateProgress()
{
    CMultiFileMember* member = m_pCurrentMember;
    if (member == nullptr)
        return;
    // Under Wine the pump, the gauge and the text are each a trip to the
    // server; after every 4096 bytes they would cost more than the copy.
    // A cancel already asked for (while a dialog waited, say) is served at
    // once, whatever the clock.
    if (!m_bCancelRequest && !IsRefreshDue())
        return;
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
    ShowProgress(*member);
}

void CCopyPage::PumpBetweenMembers()
{
    if (IsRefreshDue())
        PumpMessages();
}

bool CCopyPage::IsRefreshDue()
{
    // GetTickCount is read in the process.
    const DWORD now = GetTickCount();
    if (m_bRefreshed && now - m_nLastRefresh < kRefreshTicks)
        return false;
    m_bRefreshed = true;
    m_nLastRefresh = now;
    return true;
}

void CCopyPage::ShowProgress(const CMultiFileMember& member)
{
    const uint32_t written = static_cast<uint32_t>(member.GetCount(CXBlockFile::dirWrite));
    m_gauge.SetPos(m_nBytesDone + written, TRUE);
    std::string text;
    FormatString(text, "%s (%d%%)", member.GetTargetPath().c_str(),
                 Percent(written, member.GetUnpackedSize()));
    // The same text again would only repaint the same pixels, and under Wine
    // each setting is a trip to the server.
    if (text != m_strDestinationShown) {
        SetWindowTextA(m_hDestination, text.c_str());
        m_strDestinationShown = text;
    }
}
