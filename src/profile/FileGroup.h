#pragma once
// CFileGroup: one file group of the install profile (section "groups"). Its
// key names the section that lists its files; the selected flag decides
// whether they are installed.

#include <string>

struct CFileGroup {
    // The setup types whose flags a group carries.
    enum { typeNone = 0, typeMinimum = 1, typeTypical = 2, typeCustom = 3, typeAll = 4 };

    // Whether the group belongs to a setup type: none for 0, every group for 4,
    // the group's own flag for 1 to 3 (false for any other number).
    bool IsInSetupType(int type) const;

    std::string m_strName;
    std::string m_strText0;
    std::string m_strText1;
    bool m_bSelected = false;
    bool m_bInType1 = false;
    bool m_bInType2 = false;
    bool m_bInType3 = false;
};
