#pragma once
// What an exception carried, for the file classes' and the readers' tests
// (with the shared file helpers, Payload among them).

#include <string>

#include "common/TestFiles.h"
#include "errors/XException.h"
#include "framework/FileException.h"

// What the CFileException f raised carried; cause -1 when it raised none.
struct FileFailure {
    int cause = -1;
    long osError = 0;
    std::string fileName;
};
template <typename F> FileFailure CatchFileException(F f)
{
    FileFailure failure;
    try {
        f();
    } catch (CFileException* e) {
        failure = {e->m_cause, e->m_lOsError, e->m_strFileName};
        e->Delete();
    }
    return failure;
}

// What f ended in: "none", or the exception's class with its code or cause.
template <typename F> std::string Outcome(F f)
{
    try {
        f();
    } catch (CException* e) {
        std::string s = e->GetRuntimeClass()->m_lpszClassName;
        if (e->IsKindOf(RUNTIME_CLASS(CXException)))
            s += " " + std::to_string(static_cast<CXException*>(e)->m_nCode);
        else if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
            s += " " + std::to_string(static_cast<CFileException*>(e)->m_cause);
        e->Delete();
        return s;
    }
    return "none";
}
