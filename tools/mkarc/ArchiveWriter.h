#pragma once
// CArchiveWriter: writes an archive, cut into pieces of at most a given size
// when asked, so that the reader can read it back:
//   - every piece begins with the header, and records are never cut;
//   - a piece ends only inside a member's data, whose record then carries the
//     continued flag (or after the last member);
//   - after a member's data there is room in the same piece for the next
//     record, and for the records of the empty members that follow it, which
//     cannot be cut;
//   - the pieces are named by the reader's next-piece rule, and a name that a
//     Windows file system cannot hold is refused before anything is written.
//
// Members are added with their packed data in a file of its own; the plan of
// every cut is made before the record is written.

#include <cstdint>
#include <string>
#include <vector>

#include "support/XFile.h"

class CMultiFileMember;

class CArchiveWriter {
public:
    // pieceSize 0: one piece of any size.
    CArchiveWriter(const std::string& fileName, uint64_t pieceSize);

    // Pieces of different sizes: the greatest size of each piece in turn, the
    // last one for every piece after it (a diskette set: the first piece takes
    // what is left on its diskette, the others whole diskettes). Before Plan.
    void SetPieceSizes(const std::vector<uint64_t>& sizes);

    // The sizes of the packed data of all members, in order, before the first
    // is added; returns an empty text when the pieces can hold them, else the
    // reason why not.
    std::string Plan(const std::vector<uint32_t>& packedSizes);

    // After a successful Plan: the length of each piece it cuts, in bytes.
    const std::vector<uint64_t>& GetPlannedPieces() const { return m_planned; }

    // Writes the member's record (its continued flag set by the plan) and its
    // packed data, read from packedData (positioned at its start).
    void AddMember(CMultiFileMember& member, CXFile& packedData);

    // Closes the last piece.
    void Finish();

    // The pieces written so far.
    const std::vector<std::string>& GetPieces() const { return m_pieces; }

    // The reason a piece name cannot be a Windows file name, or "".
    static std::string CheckPieceName(const std::string& name);

private:
    void StartPiece();
    void WriteBytes(const void* data, unsigned count);
    // The bytes that must follow member i's data in its piece.
    uint64_t RoomNeededAfter(size_t i) const;
    // The greatest size of piece n (from 0); UINT64_MAX without a limit.
    uint64_t PieceLimit(size_t n) const;
    std::string CheckPieceSizes() const;

    std::string m_strFirst;
    uint64_t m_nPieceSize;
    std::vector<uint64_t> m_pieceSizes; // when set, instead of m_nPieceSize
    std::vector<uint64_t> m_planned;
    std::vector<uint32_t> m_packedSizes;
    size_t m_nNext = 0; // index of the next member to add
    CXFile m_file;
    uint64_t m_nUsed = 0; // bytes in the current piece
    std::vector<std::string> m_pieces;
};
