#include "archive/ZLibCodec.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>

#include "errors/ZLibException.h"
#include "framework/FileException.h"

CZLibCodec::CZLibCodec()
    : m_pStream(new z_stream), m_pInput(new unsigned char[kBufferSize]),
      m_pOutput(new unsigned char[kBufferSize])
{
    *m_pStream = z_stream();
    m_pStream->zalloc = Z_NULL;
    m_pStream->zfree = Z_NULL;
    m_pStream->opaque = this;
}

CZLibCodec::~CZLibCodec()
{
    if (m_eOpen == streamInflate)
        inflateEnd(m_pStream.get());
    else if (m_eOpen == streamDeflate)
        deflateEnd(m_pStream.get());
}

void CZLibCodec::CheckZLibResult(int result)
{
    switch (result) {
    case Z_OK:
    case Z_STREAM_END:
        return;
    case Z_ERRNO:
        CFileException::ThrowErrno(errno, errno, nullptr);
    case Z_STREAM_ERROR:
        throw new CZLibException(CZLibException::streamError);
    case Z_DATA_ERROR:
        throw new CZLibException(CZLibException::dataError);
    case Z_MEM_ERROR:
        AfxThrowMemoryException();
    case Z_BUF_ERROR:
        throw new CZLibException(CZLibException::bufferError);
    default:
        throw new CZLibException(CZLibException::unknownError);
    }
}

void CZLibCodec::Decompress(uint32_t packed, uint32_t unpacked)
{
    z_stream& z = *m_pStream;
    z.next_in = m_pInput.get();
    z.avail_in = 0;
    CheckZLibResult(inflateInit(&z));
    m_eOpen = streamInflate;

    // Totals are kept here: zlib's own counters are narrower on some systems.
    uint32_t totalIn = 0;
    uint32_t totalOut = 0;
    z.next_out = m_pOutput.get();
    z.avail_out = m_nOutputSize;
    unsigned filled = 0; // bytes of the output buffer holding data not yet written
    while (totalOut != unpacked) {
        if (z.avail_in == 0) {
            const unsigned got =
                Read(m_pInput.get(), std::min<uint32_t>(packed - totalIn, m_nInputSize));
            totalIn += got;
            z.next_in = m_pInput.get();
            z.avail_in = got;
        }
        if (filled == m_nOutputSize) {
            Write(m_pOutput.get(), filled);
            filled = 0;
        }
        // The output space never reaches past the unpacked size, so the loop
        // stops there even when the stream would go on: a stream longer than
        // its record gives a cut file, which the checksum then rejects.
        z.next_out = m_pOutput.get() + filled;
        z.avail_out = std::min<uint32_t>(m_nOutputSize - filled, unpacked - totalOut);
        const unsigned before = z.avail_out;
        const int result = inflate(&z, Z_NO_FLUSH);
        const unsigned produced = before - z.avail_out;
        filled += produced;
        totalOut += produced;
        if (result == Z_STREAM_END)
            break;
        CheckZLibResult(result);
    }
    if (filled > 0)
        Write(m_pOutput.get(), filled);
    m_eOpen = streamNone;
    CheckZLibResult(inflateEnd(&z));
}

void CZLibCodec::Compress()
{
    z_stream& z = *m_pStream;
    CheckZLibResult(deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY));
    m_eOpen = streamDeflate;
    z.next_in = m_pInput.get();
    z.avail_in = 0;
    z.next_out = m_pOutput.get();
    z.avail_out = m_nOutputSize;
    bool endOfInput = false;
    int result = Z_OK;
    do {
        if (z.avail_in == 0 && !endOfInput) {
            const unsigned got = Read(m_pInput.get(), m_nInputSize);
            endOfInput = got == 0;
            z.next_in = m_pInput.get();
            z.avail_in = got;
        }
        if (z.avail_out == 0) {
            Write(m_pOutput.get(), m_nOutputSize);
            z.next_out = m_pOutput.get();
            z.avail_out = m_nOutputSize;
        }
        result = deflate(&z, endOfInput ? Z_FINISH : Z_NO_FLUSH);
        // With nothing to do, deflate reports a buffer error that is no failure.
        if (result != Z_BUF_ERROR)
            CheckZLibResult(result);
    } while (result != Z_STREAM_END);
    const unsigned filled = m_nOutputSize - z.avail_out;
    if (filled > 0)
        Write(m_pOutput.get(), filled);
    m_eOpen = streamNone;
    CheckZLibResult(deflateEnd(&z));
}
