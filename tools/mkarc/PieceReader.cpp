#include "PieceReader.h"

#include "PathText.h"
#include "archive/MultiFileMember.h"

void CPieceReader::OpenFirstPiece(const std::string& fileName)
{
    OpenArchive(fileName.c_str());
    m_strPiece = fileName;
    const int n = PathText::DisketteNumber(PathText::Directory(fileName));
    m_nDiskette = n > 0 ? n : 1;
}

void CPieceReader::OnBlockEnd()
{
    if (m_onProgress)
        m_onProgress(GetCount(dirRead));
}

bool CPieceReader::OnEndOfData()
{
    Close();
    const CMultiFileMember* member = GetCurrentMember();
    if (member == nullptr || !member->IsContinued())
        return true;

    const std::string next = NextPieceName(m_strPiece.c_str());
    const std::string dir = PathText::Directory(m_strPiece);
    ++m_nDiskette;
    std::string found = PathText::Join(dir, next);
    if (!PathText::Exists(found) && PathText::DisketteNumber(dir) > 0) {
        const std::string sibling = PathText::WithDisketteNumber(dir, m_nDiskette);
        if (PathText::Exists(PathText::Join(sibling, next)))
            found = PathText::Join(sibling, next);
    }
    if (!PathText::Exists(found))
        AfxThrowFileException(CFileException::fileNotFound, -1, found.c_str());
    OpenPiece(found.c_str());
    m_strPiece = found;
    return false;
}
