#pragma once
// The framework's file exception: a cause from 0 to 14, the operating-system
// error number and the file name.

#include <string>

#include "framework/Exception.h"

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum Cause {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = none, long lOsError = -1, const char* fileName = nullptr);

    // The cause for a Win32 error code (GetLastError); genericException when unknown.
    static int OsErrorToException(long lOsError);
    // The cause for a C runtime error number (errno); genericException when unknown.
    static int ErrnoToException(int nErrno);

    [[noreturn]] static void ThrowOsError(long lOsError, const char* fileName = nullptr);
    // lOsError: the system error that came with errno, or -1.
    [[noreturn]] static void ThrowErrno(int nErrno, long lOsError = -1,
                                        const char* fileName = nullptr);

    int m_cause;
    long m_lOsError;
    std::string m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, long lOsError = -1,
                                        const char* fileName = nullptr);
