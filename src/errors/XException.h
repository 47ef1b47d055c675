#pragma once
// The program's exception family. Each class turns its error code into a title
// and a description from the string table, through a constant table of its own
// searched before the base class's table: the most specific text wins.
//
// Thrown by pointer and deleted by the catcher, like every framework exception.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/Exception.h"

class CFileException;
class CArchiveException;

// One entry of an error-text table. code -1 matches any code; an id of 0 is no text.
struct XErrorText {
    int32_t code;
    uint32_t titleId;
    uint32_t descriptionId;
};

// The current error texts: one pair for the whole program, filled by
// PrepareErrorTexts and read by the warning dialog that follows.
extern std::string g_strXErrorTitle;
extern std::string g_strXErrorDescription;

class CXException : public CException {
    DECLARE_DYNAMIC(CXException)
public:
    // Code -1 is the tables' wildcard and never a code.
    explicit CXException(int nCode = 0) : m_nCode(nCode) {}

    // Empties the current error texts and fills them for this exception;
    // afterwards neither is empty.
    void PrepareErrorTexts();

    int m_nCode;

protected:
    // Fills what is still empty of the current texts: the class's own table
    // first, then the CXException table.
    virtual void LookupErrorTexts();

    // Takes the first entry of the table whose code is -1 or m_nCode and loads
    // its texts into whichever current text is still empty.
    void LookupTable(const XErrorText* table, size_t count) const;
    template <size_t N>
    void LookupTable(const XErrorText (&table)[N]) const
    {
        LookupTable(table, N);
    }
    void LookupBaseTable() const;
};

class CXMemoryException : public CXException {
    DECLARE_DYNAMIC(CXMemoryException)
public:
    CXMemoryException() : CXException(0) {}

protected:
    void LookupErrorTexts() override;
};

// m_nCode: the framework file exception's cause (CFileException::Cause).
class CXFileException : public CXException {
    DECLARE_DYNAMIC(CXFileException)
public:
    explicit CXFileException(int nCode) : CXException(nCode) {}
    // Copies the cause only, not the file name or the system error.
    explicit CXFileException(const CFileException& e);

protected:
    void LookupErrorTexts() override;
};

// m_nCode: the framework archive exception's cause.
class CXArchiveException : public CXException {
    DECLARE_DYNAMIC(CXArchiveException)
public:
    explicit CXArchiveException(int nCode) : CXException(nCode) {}
    explicit CXArchiveException(const CArchiveException& e);

protected:
    void LookupErrorTexts() override;
};

class CXResourceException : public CXException {
    DECLARE_DYNAMIC(CXResourceException)
public:
    CXResourceException() : CXException(0) {}

protected:
    void LookupErrorTexts() override;
};

class CXUserException : public CXException {
    DECLARE_DYNAMIC(CXUserException)
public:
    CXUserException() : CXException(0) {}

protected:
    void LookupErrorTexts() override;
};

class CXNotSupportedException : public CXException {
    DECLARE_DYNAMIC(CXNotSupportedException)
public:
    CXNotSupportedException() : CXException(0) {}

protected:
    void LookupErrorTexts() override;
};

// A new family member equivalent to a framework exception that is not itself
// a CXException: memory, file, archive, not-supported, resource and user
// exceptions map to their kinds, anything else to CXException code 1. The
// caller deletes the result.
CXException* TranslateToXException(const CException* e);
