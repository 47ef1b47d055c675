#pragma once
// Raised by the install profile reader.

#include "errors/XException.h"

class CInstallProfileException : public CXException {
    DECLARE_DYNAMIC(CInstallProfileException)
public:
    enum Code {
        profileMissing = 0,     // missing, unreadable or without destinations
        badDestination = 1,     // a destination that cannot be resolved or does not exist
    };

    explicit CInstallProfileException(int nCode) : CXException(nCode) {}

protected:
    void LookupErrorTexts() override;
};
