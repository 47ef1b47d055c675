#include "errors/XErrorReport.h"

#include <cstdarg>
#include <memory>
#include <string>

#include "errors/WarningDlg.h"
#include "errors/XException.h"
#include "framework/ResourceString.h"
#include "framework/WinApp.h"
#include "support/StringHelpers.h"

namespace {

struct ExceptionDeleter {
    void operator()(CException* e) const { e->Delete(); }
};

bool ShowXError(bool ask, int headlineId, CException* e, va_list args)
{
    std::string format;
    std::string headline;
    if (LoadResourceString(static_cast<unsigned>(headlineId), format))
        FormatStringV(headline, format.c_str(), args);

    // A framework exception is shown through its family equivalent, which
    // lives only as long as the report.
    std::unique_ptr<CXException, ExceptionDeleter> translation;
    CXException* x = nullptr;
    if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CXException))) {
        x = static_cast<CXException*>(e);
    } else {
        CException unknown;
        translation.reset(TranslateToXException(e != nullptr ? e : &unknown));
        x = translation.get();
    }
    x->PrepareErrorTexts();

    std::string errorInfo;
    FormatString(errorInfo, "%d.%d (%s)", headlineId, x->m_nCode,
                 x->GetRuntimeClass()->m_lpszClassName);

    CWarningDlg dialog;
    dialog.m_nHeadlineId = headlineId;
    dialog.m_strHeadline = headline;
    dialog.m_strTitle = g_strXErrorTitle;
    dialog.m_strDescription = g_strXErrorDescription;
    dialog.m_strErrorInfo = errorInfo;
    dialog.m_bAsk = ask ? TRUE : FALSE;
    return dialog.DoModal() == IDOK;
}

} // namespace

void ReportXError(int headlineId, CException* e, ...)
{
    va_list args;
    va_start(args, e);
    ShowXError(false, headlineId, e, args);
    va_end(args);
}

bool QueryXErrorContinue(int headlineId, CException* e, ...)
{
    va_list args;
    va_start(args, e);
    bool result = ShowXError(true, headlineId, e, args);
    va_end(args);
    return result;
}
