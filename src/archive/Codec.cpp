#include "archive/Codec.h"

#include "support/XFile.h"

CCodec::~CCodec() = default;

void CCodec::Abort()
{
    m_bAborted = 1;
}

uint8_t CCodec::ReadByte()
{
    uint8_t byte = 0;
    m_pSource->Read(&byte, 1);
    return byte;
}

unsigned CCodec::Read(void* buffer, unsigned count)
{
    return m_pSource->Read(buffer, count);
}

void CCodec::WriteByte(uint8_t byte)
{
    m_pDestination->Write(&byte, 1);
}

void CCodec::Write(const void* buffer, unsigned count)
{
    m_pDestination->Write(buffer, count);
}

namespace {

// Unbinds a codec's files when a run ends, also by exception.
class CBinding {
public:
    CBinding(CXFile*& source, CXFile*& destination, CXFile* newSource, CXFile* newDestination)
        : m_source(source), m_destination(destination)
    {
        m_source = newSource;
        m_destination = newDestination;
    }
    ~CBinding()
    {
        m_source = nullptr;
        m_destination = nullptr;
    }
    CBinding(const CBinding&) = delete;
    CBinding& operator=(const CBinding&) = delete;

private:
    CXFile*& m_source;
    CXFile*& m_destination;
};

} // namespace

void CCodec::RunCompress(CXFile* source, CXFile* destination)
{
    m_bAborted = 0;
    CBinding binding(m_pSource, m_pDestination, source, destination);
    Compress();
}

void CCodec::RunDecompress(CXFile* source, CXFile* destination, uint32_t packed, uint32_t unpacked)
{
    m_bAborted = 0;
    CBinding binding(m_pSource, m_pDestination, source, destination);
    Decompress(packed, unpacked);
}
