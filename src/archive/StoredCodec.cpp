#include "archive/StoredCodec.h"

#include <algorithm>

#include "framework/FileException.h"

CStoredCodec::CStoredCodec() : m_pBuffer(new unsigned char[kBufferSize]) {}

CStoredCodec::~CStoredCodec() = default;

void CStoredCodec::Compress()
{
    for (;;) {
        const unsigned got = Read(m_pBuffer.get(), kBufferSize);
        if (got == 0)
            break;
        Write(m_pBuffer.get(), got);
    }
}

void CStoredCodec::Decompress(uint32_t packed, uint32_t /*unpacked*/)
{
    while (packed != 0) {
        const unsigned want = std::min<uint32_t>(packed, kBufferSize);
        const unsigned got = Read(m_pBuffer.get(), want);
        if (got == 0)
            AfxThrowFileException(CFileException::endOfFile, -1, nullptr);
        Write(m_pBuffer.get(), got);
        packed -= got;
    }
}
