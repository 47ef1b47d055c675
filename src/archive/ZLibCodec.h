#pragma once
// CZLibCodec (method 4): the packed data is a zlib-format stream (RFC 1950),
// inflated or deflated through one 4096-byte input and one 4096-byte output
// buffer. The stream record and both buffers are allocated once, by the
// constructor.

#include <memory>

#include "archive/Codec.h"

struct z_stream_s;

class CZLibCodec : public CCodec {
public:
    static constexpr unsigned kBufferSize = 4096;

    CZLibCodec();
    ~CZLibCodec() override;

    // Deflates the source to its end (default level, 15-bit window, memory
    // level 8, default strategy).
    void Compress() override;
    // Inflates until unpacked bytes were written or the stream ends, whichever
    // comes first; never reads more than packed bytes from the source and
    // never writes more than unpacked bytes. Packed data that runs out before
    // the stream ends raises CZLibException bufferError.
    void Decompress(uint32_t packed, uint32_t unpacked) override;

    // Maps a zlib result: 0 and 1 pass; -1 raises CFileException from errno;
    // -2, -3, -5 raise CZLibException 2, 3, 4; -4 raises CMemoryException;
    // anything else CZLibException 1.
    static void CheckZLibResult(int result);

private:
    std::unique_ptr<z_stream_s> m_pStream;
    std::unique_ptr<unsigned char[]> m_pInput;
    std::unique_ptr<unsigned char[]> m_pOutput;
    unsigned m_nInputSize = kBufferSize;
    unsigned m_nOutputSize = kBufferSize;
    // The stream an exception left without its end call, ended by the
    // destructor so that zlib's state is not lost.
    enum { streamNone, streamInflate, streamDeflate } m_eOpen = streamNone;
};
