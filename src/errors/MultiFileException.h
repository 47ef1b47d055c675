#pragma once
// Raised by the archive reader.

#include "errors/XException.h"

class CMultiFileException : public CXException {
    DECLARE_DYNAMIC(CMultiFileException)
public:
    enum Code {
        unknownMethod = 1,   // a member packed with a method the reader does not know
        notArchive = 2,      // no archive header
        noEntryHeader = 3,   // an entry record without its tag
        corruptTable = 4,    // a record whose sizes cannot be true
        crcMismatch = 5,     // the extracted data does not match its checksum
    };

    explicit CMultiFileException(int nCode) : CXException(nCode) {}

protected:
    // No wildcard: a code outside the table gets the CXException texts.
    void LookupErrorTexts() override;
};
