#include "profile/DisketteMultiFile.h"

#include "archive/MultiFileMember.h"
#include "profile/FileGroup.h"

namespace {

// Signed 32-bit results wrap as the machine's arithmetic does; the
// intermediate steps are done wide so that nothing overflows in C++ terms.
int32_t Wrap32(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

} // namespace

IMPLEMENT_DYNAMIC(CDisketteMultiFile, CMultiFile)

CDisketteMultiFile::CDisketteMultiFile(const Entry& entry, const CFileGroup& group)
    : m_strSourceName(entry.sourceName), m_nKind(entry.kind), m_nSize(entry.size),
      m_nFileCount(entry.fileCount),
      m_nDiskette(entry.diskette < 0 ? -int32_t(entry.diskette) : entry.diskette),
      m_bMarked(entry.diskette < 0), m_strText5(entry.text5), m_nDestination(entry.destination),
      m_pGroup(&group)
{
}

CDisketteMultiFile::~CDisketteMultiFile() = default;

bool CDisketteMultiFile::IsSelected() const
{
    return m_pGroup->m_bSelected;
}

int32_t CDisketteMultiFile::SpaceEstimate(int32_t clusterSize) const
{
    int64_t s = m_nSize;
    int64_t c = clusterSize;
    if (m_nFileCount > 1) {
        // Half a cluster of slack per file on average.
        return Wrap32(s + Wrap32(c * m_nFileCount) / 2);
    }
    if (clusterSize == 0)
        return m_nSize;
    return Wrap32(c * Wrap32(Wrap32(s + c - 1) / c));
}

void CDisketteMultiFile::OnBlockEnd()
{
    if (m_pSite != nullptr)
        m_pSite->OnItemBlockEnd(*this);
}

bool CDisketteMultiFile::OnEndOfData()
{
    const CMultiFileMember* member = GetCurrentMember();
    if (m_pSite == nullptr || member == nullptr || !member->IsContinued())
        return true;
    const std::string next = NextPieceName(GetPath());
    // No file stays open on a diskette that the user is about to take out.
    Close();
    ++m_nDiskette;
    const std::string piece = m_pSite->FindNextPiece(next.c_str(), m_nDiskette);
    OpenPiece(piece.c_str());
    return false;
}
