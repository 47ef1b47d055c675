#pragma once
// An application object for tests of the window framework: it records the
// exceptions that escape window procedures instead of reporting them.

#include <string>
#include <vector>

#include "framework/FileException.h"
#include "framework/WinApp.h"

class CTestApp : public CWinApp {
public:
    LRESULT ProcessWndProcException(CException* e, const MSG*) override
    {
        m_exceptions.push_back(e->GetRuntimeClass()->m_lpszClassName);
        return m_result;
    }

    std::vector<std::string> m_exceptions;
    LRESULT m_result = 0;
};

// A framework file exception that sets *m_pDeleted when it is deleted.
struct CProbeException : CFileException {
    CProbeException(int cause, bool* deleted) : CFileException(cause), m_pDeleted(deleted) {}
    ~CProbeException() override { *m_pDeleted = true; }
    bool* m_pDeleted;
};
