#pragma once
// What the profile tests share: profiles written to real files, and the code
// of the profile exception an operation raises.

#include <string>

#include "errors/InstallProfileException.h"
#include "unit/support/ScratchDirectory.h"

// The code of the CInstallProfileException that f raises; -1 when it raises none.
template <class F> int ProfileErrorCode(F f)
{
    try {
        f();
    } catch (CInstallProfileException* e) {
        int code = e->m_nCode;
        e->Delete();
        return code;
    }
    return -1;
}

// A profile in a scratch directory of its own.
class CTestProfile {
public:
    explicit CTestProfile(const std::string& text)
        : m_strPath(m_directory.WriteFile("SETUP.ini", text))
    {
    }

    const char* Path() const { return m_strPath.c_str(); }
    const CScratchDirectory& Directory() const { return m_directory; }

private:
    CScratchDirectory m_directory;
    std::string m_strPath;
};
