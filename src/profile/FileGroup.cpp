#include "profile/FileGroup.h"

bool CFileGroup::IsInSetupType(int type) const
{
    switch (type) {
    case typeNone:
        return false;
    case typeMinimum:
        return m_bInType1;
    case typeTypical:
        return m_bInType2;
    case typeCustom:
        return m_bInType3;
    case typeAll:
        return true;
    default:
        return false;
    }
}
