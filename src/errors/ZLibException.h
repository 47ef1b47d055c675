#pragma once
// Raised by the decompression stream.

#include "errors/XException.h"

class CZLibException : public CXException {
    DECLARE_DYNAMIC(CZLibException)
public:
    enum Code {
        unknownError = 1,
        streamError = 2,
        dataError = 3,
        bufferError = 4,
    };

    explicit CZLibException(int nCode) : CXException(nCode) {}

protected:
    // No wildcard: a code outside the table gets the CXException texts.
    void LookupErrorTexts() override;
};
