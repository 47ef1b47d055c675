#include "profile/Destination.h"

#include "profile/DestinationMap.h"

CDestination::~CDestination() = default;

bool CDestination::ResolveDestination(bool force)
{
    if (m_nParent == kNoParent)
        return true;
    if (!m_path.IsEmpty() && !force)
        return true;
    const CDestination* parent = m_pOwner->Lookup(m_nParent);
    if (parent == nullptr || parent->m_path.IsEmpty())
        return false;
    CFilePath path(parent->m_path);
    path.AppendDir(m_strName.c_str());
    m_path = path;
    return true;
}
