#pragma once
// The framework's archive (serialisation) exception.

#include <string>

#include "framework/Exception.h"

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum Cause {
        none = 0,
        genericException = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
    };

    explicit CArchiveException(int cause = none, const char* fileName = nullptr)
        : m_cause(cause), m_strFileName(fileName != nullptr ? fileName : "")
    {
    }

    int m_cause;
    std::string m_strFileName;
};
