#pragma once
// The exception base and the framework's simple exception kinds.
//
// Exceptions are created with new, thrown by pointer and deleted by whoever
// catches them, through Delete():
//
//     try { ... } catch (CException* e) { report(e); e->Delete(); }

#include "framework/RuntimeClass.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    // bAutoDelete: Delete() frees the object (false for static instances).
    explicit CException(bool bAutoDelete = true) : m_bAutoDelete(bAutoDelete) {}

    // Text for the user; false when the exception has none of its own.
    virtual bool GetErrorMessage(char* buffer, unsigned maxChars) const;

    // Frees the exception if it was heap-allocated; the catcher calls it.
    void Delete();

    bool m_bAutoDelete;
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
};

// Raised to abandon an operation the user cancelled; carries no text.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
};

// Throws a new CMemoryException.
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowResourceException();
