#pragma once
// CIniEntryAdder: adds one key=value line to a section of an initialisation
// file, line by line, leaving every other line as it was.
//
// The entry goes at the end of the section (before the next section header,
// or at the end of the file when the section is the last one); a missing
// section is added at the end of the file with its entry; the file is left
// untouched when the section already holds the identical entry. Keys may
// repeat: the same key with another value is added as a further line.
// Section names, keys and values compare without regard to case, folded as
// the system folds them (Mbcs::EqualNoCase: accented letters and double-byte
// characters too).

#include <string>

#include "install/TextFileFilter.h"

class CIniEntryAdder : public CTextFileFilter {
public:
    explicit CIniEntryAdder(const CFilePath& path);

    // Adds "key=value" to section. Returns what Run returns: true when the
    // file holds the entry (added now or found there), false when the edited
    // copy could not replace the file, which then stays as it was. Throws
    // CFileException as Open and Run do.
    bool AddEntry(const char* section, const char* key, const char* value);

    bool OnLine() override;
    void OnEnd() override;

    std::string m_strSection;
    // The section the loop is in; empty before the first header.
    std::string m_strCurrentSection;
    std::string m_strKey;
    std::string m_strValue;
    // "key=value\n".
    std::string m_strEntryLine;

private:
    bool InTargetSection() const;
};
