#include "support/DriveIterator.h"

#include <windows.h>

CDriveIterator::~CDriveIterator() = default;

bool CDriveIterator::Next()
{
    int start = m_nIndex;
    while (++m_nIndex <= 25) {
        if (GetType() != typeUnknown)
            return true;
    }
    m_nIndex = start;
    return false;
}

bool CDriveIterator::FindNext(unsigned type)
{
    // A plain iterator walks ahead, so that a subclass whose Next itself
    // searches is not called back from here.
    CDriveIterator probe;
    probe.m_nIndex = m_nIndex;
    while (probe.CDriveIterator::Next()) {
        if (probe.GetType() == type) {
            m_nIndex = probe.m_nIndex;
            return true;
        }
    }
    return false;
}

void CDriveIterator::GetRoot(CFilePath& path) const
{
    path.Empty();
    path.SetDrive(static_cast<char>('a' + m_nIndex));
    path.SetRoot();
}

unsigned CDriveIterator::GetType() const
{
    CFilePath root;
    GetRoot(root);
    return GetDriveTypeA(root);
}
