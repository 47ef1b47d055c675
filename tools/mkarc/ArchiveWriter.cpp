#include "ArchiveWriter.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "PathText.h"
#include "archive/ArchiveFormat.h"
#include "archive/MultiFile.h"
#include "archive/MultiFileMember.h"

using namespace ArchiveFormat;

CArchiveWriter::CArchiveWriter(const std::string& fileName, uint64_t pieceSize)
    : m_strFirst(fileName), m_nPieceSize(pieceSize)
{
}

std::string CArchiveWriter::CheckPieceName(const std::string& name)
{
    if (name.empty())
        return "the name is empty";
    for (unsigned char c : name) {
        if (c >= 0x80)
            return "the name is not plain ASCII (its lower-case form would depend on the code "
                   "page)";
        if (c < 0x20 || strchr("<>:\"/\\|?*", c) != nullptr)
            return std::string("the character '") + static_cast<char>(c) +
                   "' cannot stand in a Windows file name";
    }
    if (name.back() == '.' || name.back() == ' ')
        return "a Windows file name cannot end in a dot or a blank";
    return std::string();
}

void CArchiveWriter::SetPieceSizes(const std::vector<uint64_t>& sizes)
{
    m_pieceSizes = sizes;
}

uint64_t CArchiveWriter::PieceLimit(size_t n) const
{
    if (!m_pieceSizes.empty())
        return m_pieceSizes[std::min(n, m_pieceSizes.size() - 1)];
    return m_nPieceSize == 0 ? UINT64_MAX : m_nPieceSize;
}

uint64_t CArchiveWriter::RoomNeededAfter(size_t i) const
{
    if ((m_nPieceSize == 0 && m_pieceSizes.empty()) || i + 1 >= m_packedSizes.size())
        return 0;
    // The next record, and those of the empty members after it: an empty
    // member's data cannot be cut, so its record follows in the same piece.
    uint64_t need = kRecordSize;
    for (size_t j = i + 1; j + 1 < m_packedSizes.size() && m_packedSizes[j] == 0; ++j)
        need += kRecordSize;
    return need;
}

std::string CArchiveWriter::Plan(const std::vector<uint32_t>& packedSizes)
{
    m_packedSizes = packedSizes;
    std::string reason = CheckPieceName(PathText::FileName(m_strFirst));
    if (!reason.empty())
        return "archive name '" + PathText::FileName(m_strFirst) + "': " + reason;
    if (m_nPieceSize == 0 && m_pieceSizes.empty()) {
        m_planned.clear();
        return std::string();
    }
    reason = CheckPieceSizes();
    if (!reason.empty())
        return reason;

    // Name every piece the plan will need, so that nothing is written when a
    // name cannot be held.
    std::string name = PathText::FileName(m_strFirst);
    uint64_t pieces = 1;
    uint64_t used = kHeaderSize;
    m_planned.clear();
    for (size_t i = 0; i < packedSizes.size(); ++i) {
        used += kRecordSize;
        uint64_t rest = packedSizes[i];
        const uint64_t need = RoomNeededAfter(i);
        for (;;) {
            const uint64_t left = PieceLimit(pieces - 1) - used;
            if (rest + need <= left || rest == 0) {
                used += rest;
                break;
            }
            // The data ends in this piece only with room for what follows;
            // else at least one byte goes on into the next piece.
            const uint64_t here = rest <= left ? rest - 1 : left;
            rest -= here;
            name = CMultiFile::NextPieceName(name.c_str());
            reason = CheckPieceName(name);
            if (!reason.empty())
                return "piece " + std::to_string(pieces + 1) + " would be named '" + name +
                       "': " + reason + "; choose an archive name whose last character can " +
                       "count up further";
            used += here;
            m_planned.push_back(used);
            ++pieces;
            used = kHeaderSize;
        }
    }
    m_planned.push_back(used);
    return std::string();
}

std::string CArchiveWriter::CheckPieceSizes() const
{
    // The first piece holds its leading records (a record and the empty
    // members after it); any piece a member's data continues into holds at
    // least one byte of it and what must follow it.
    uint64_t first = 0;
    uint64_t later = 0;
    if (!m_packedSizes.empty())
        first = kRecordSize + (m_packedSizes[0] == 0 ? RoomNeededAfter(0) : 0);
    for (size_t i = 0; i < m_packedSizes.size(); ++i) {
        if (m_packedSizes[i] != 0)
            later = std::max(later, 1 + RoomNeededAfter(i));
    }
    if (m_pieceSizes.empty()) {
        const uint64_t least = std::max(first, later);
        const uint64_t room = m_nPieceSize > kHeaderSize ? m_nPieceSize - kHeaderSize : 0;
        if (room < least)
            return "a piece of " + std::to_string(m_nPieceSize) + " bytes is too small: these " +
                   "members need pieces of at least " + std::to_string(least + kHeaderSize) +
                   " bytes";
        return std::string();
    }
    for (size_t n = 0; n < m_pieceSizes.size(); ++n) {
        const uint64_t least = n == 0 ? first : later;
        const uint64_t room = m_pieceSizes[n] > kHeaderSize ? m_pieceSizes[n] - kHeaderSize : 0;
        if (room < least)
            return "piece " + std::to_string(n + 1) + " of " + std::to_string(m_pieceSizes[n]) +
                   " bytes is too small: it needs at least " + std::to_string(least + kHeaderSize) +
                   " bytes";
    }
    // The last size stands for every later piece, which may receive data.
    const uint64_t lastRoom =
        m_pieceSizes.back() > kHeaderSize ? m_pieceSizes.back() - kHeaderSize : 0;
    if (m_pieceSizes.size() == 1 && lastRoom < later)
        return "pieces of " + std::to_string(m_pieceSizes[0]) +
               " bytes are too small: these members need at least " +
               std::to_string(later + kHeaderSize) + " bytes";
    return std::string();
}

void CArchiveWriter::StartPiece()
{
    std::string name;
    if (m_pieces.empty()) {
        name = m_strFirst;
    } else {
        m_file.Close();
        name = PathText::Join(PathText::Directory(m_strFirst),
                              CMultiFile::NextPieceName(m_pieces.back().c_str()));
    }
    m_file.OpenWrite(name.c_str(), true);
    m_pieces.push_back(name);
    uint8_t header[kHeaderSize] = {};
    memcpy(header, kHeaderTag, sizeof kHeaderTag);
    m_file.Write(header, sizeof header);
    m_nUsed = kHeaderSize;
}

void CArchiveWriter::WriteBytes(const void* data, unsigned count)
{
    m_file.Write(data, count);
    m_nUsed += count;
}

void CArchiveWriter::AddMember(CMultiFileMember& member, CXFile& packedData)
{
    if (m_pieces.empty())
        StartPiece();
    const size_t index = m_nNext++;
    const uint64_t need = RoomNeededAfter(index);
    const uint32_t packed = member.GetPackedSize();

    // The cuts of this member's data, piece by piece, as Plan made them.
    std::vector<uint64_t> parts;
    uint64_t used = m_nUsed + kRecordSize;
    uint64_t rest = packed;
    size_t piece = m_pieces.size() - 1;
    for (;;) {
        const uint64_t left = PieceLimit(piece) - used;
        if (rest + need <= left || rest == 0) {
            parts.push_back(rest);
            break;
        }
        const uint64_t here = rest <= left ? rest - 1 : left;
        parts.push_back(here);
        rest -= here;
        used = kHeaderSize;
        ++piece;
    }
    member.SetContinued(parts.size() > 1);
    WriteBytes(member.GetRecord(), static_cast<unsigned>(kRecordSize));

    std::unique_ptr<unsigned char[]> buffer(new unsigned char[65536]);
    for (size_t p = 0; p < parts.size(); ++p) {
        if (p > 0)
            StartPiece();
        uint64_t part = parts[p];
        while (part > 0) {
            const unsigned want = static_cast<unsigned>(std::min<uint64_t>(part, 65536));
            packedData.ReadExact(buffer.get(), want);
            WriteBytes(buffer.get(), want);
            part -= want;
        }
    }
}

void CArchiveWriter::Finish()
{
    if (m_pieces.empty())
        StartPiece();
    m_file.Close();
}
