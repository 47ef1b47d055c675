#pragma once
// CShortcutTarget: an installed file that gets a shortcut (section "targets").
// The copy engine fills in the command path when it installs the file; a
// target whose command path stays empty gets no shortcut.

#include <cstdint>
#include <string>

#include "support/FilePath.h"

class CShortcutTarget {
public:
    CShortcutTarget() = default;
    virtual ~CShortcutTarget();

    std::string m_strFileName; // the key as the profile writes it
    int32_t m_nIconIndex = 0;
    std::string m_strName; // the shortcut's caption
    std::string m_strArguments;
    int32_t m_nField1 = 0;
    bool m_bMinimized = false;
    std::string m_strIconFile; // relative to destination 0; empty for none
    CFilePath m_commandPath;
};
