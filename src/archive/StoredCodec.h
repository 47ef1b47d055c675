#pragma once
// CStoredCodec (method 2): the packed data is the file itself, copied through
// one 16384-byte buffer.

#include <memory>

#include "archive/Codec.h"

class CStoredCodec : public CCodec {
public:
    static constexpr unsigned kBufferSize = 16384;

    CStoredCodec();
    ~CStoredCodec() override;

    // Copies the source to its end.
    void Compress() override;
    // Copies exactly packed bytes in pieces of at most 16384; the unpacked size
    // is not used. A source that delivers nothing before packed bytes were
    // copied raises CFileException endOfFile (system error -1, no file name).
    void Decompress(uint32_t packed, uint32_t unpacked) override;

private:
    std::unique_ptr<unsigned char[]> m_pBuffer;
};
