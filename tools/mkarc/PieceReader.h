#pragma once
// CPieceReader: the archive reader as mkarc uses it. When a member's data runs
// past the end of a piece, it looks for the next piece (named by the reader's
// next-piece rule) in the same directory, then in the numbered sibling
// directory DISKnn of the next diskette, as the setup program's copy engine
// does. A missing piece raises CFileException fileNotFound naming it.

#include <cstdint>
#include <functional>
#include <string>

#include "archive/MultiFile.h"

class CPieceReader : public CMultiFile {
public:
    // Called after every block of packed data read, with the bytes read so far.
    std::function<void(int64_t)> m_onProgress;

    void OpenFirstPiece(const std::string& fileName);
    // The piece open now.
    const std::string& GetPieceName() const { return m_strPiece; }

    void OnBlockEnd() override;
    bool OnEndOfData() override;

private:
    std::string m_strPiece;
    int m_nDiskette = 1;
};
