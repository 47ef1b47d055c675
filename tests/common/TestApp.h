#pragma once
// An application object for tests of the window framework: it records the
// exceptions that escape window procedures instead of reporting them.

#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/WinApp.h"

class CTestApp : public CWinApp {
public:
    LRESULT ProcessWndProcException(CException* e, const MSG*) override
    {
        m_exceptions.push_back(e->GetRuntimeClass()->m_lpszClassName);
        return m_result;
    }
    BOOL IsUnattended() const override { return m_bUnattended; }

    std::vector<std::string> m_exceptions;
    LRESULT m_result = 0;
    BOOL m_bUnattended = FALSE;
};
