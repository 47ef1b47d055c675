// The codecs fed arbitrary streams, through files held in memory.
//
// Input: a mode byte, the unpacked size the record would claim (four bytes,
// little-endian, taken modulo 1 MiB + 1 to bound the output), then the data.
// Mode bit 0 picks the codec (stored or zlib); bit 1 the direction:
//   - decompress the data as packed data of that size: either it succeeds and
//     wrote no more than the unpacked size (zlib) or exactly the packed data
//     (stored), or it fails with CZLibException or CFileException;
//   - compress the data and decompress the result: the round trip gives the
//     data back, with no exception at all.
#include <algorithm>
#include <memory>
#include <string>

#include "archive/StoredCodec.h"
#include "archive/ZLibCodec.h"
#include "errors/ZLibException.h"
#include "framework/FileException.h"
#include "fuzz/FuzzSupport.h"
#include "support/XFile.h"

namespace {

// A CXFile whose reads come from a string and whose writes go to one.
class CMemoryFile : public CXFile {
public:
    explicit CMemoryFile(std::string bytes = std::string()) : m_strBytes(std::move(bytes)) {}
    unsigned Read(void* buffer, unsigned count) override
    {
        const size_t n = std::min<size_t>(count, m_strBytes.size() - m_nPos);
        m_strBytes.copy(static_cast<char*>(buffer), n, m_nPos);
        m_nPos += n;
        return static_cast<unsigned>(n);
    }
    void Write(const void* buffer, unsigned count) override
    {
        m_strBytes.append(static_cast<const char*>(buffer), count);
    }
    const std::string& Bytes() const { return m_strBytes; }
    size_t Position() const { return m_nPos; }

private:
    std::string m_strBytes;
    size_t m_nPos = 0;
};

std::unique_ptr<CCodec> MakeCodec(bool zlib)
{
    return zlib ? std::unique_ptr<CCodec>(new CZLibCodec)
                : std::unique_ptr<CCodec>(new CStoredCodec);
}

void Decompress(bool zlib, const std::string& packed, uint32_t unpacked)
{
    CMemoryFile source(packed);
    CMemoryFile destination;
    std::unique_ptr<CCodec> codec = MakeCodec(zlib);
    try {
        codec->RunDecompress(&source, &destination, static_cast<uint32_t>(packed.size()), unpacked);
    } catch (CException* e) {
        ExpectKind(e, {RUNTIME_CLASS(CZLibException), RUNTIME_CLASS(CFileException)});
        return;
    }
    Require(source.Position() <= packed.size(), "no read past the packed size");
    if (zlib)
        Require(destination.Bytes().size() <= unpacked, "no more than the unpacked size written");
    else
        Require(destination.Bytes() == packed, "stored data comes back unchanged");
}

void RoundTrip(bool zlib, const std::string& data)
{
    CMemoryFile plain(data);
    CMemoryFile packed;
    MakeCodec(zlib)->RunCompress(&plain, &packed);
    CMemoryFile source(packed.Bytes());
    CMemoryFile unpacked;
    MakeCodec(zlib)->RunDecompress(&source, &unpacked, static_cast<uint32_t>(packed.Bytes().size()),
                                   static_cast<uint32_t>(data.size()));
    Require(unpacked.Bytes() == data, "compressing and decompressing gives the data back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput in(data, size);
    const uint8_t mode = in.Byte();
    const uint32_t unpacked = in.Le32() % ((1u << 20) + 1);
    const std::string bytes = in.Rest();
    const bool zlib = (mode & 1) != 0;
    if ((mode & 2) != 0) {
        try {
            RoundTrip(zlib, bytes);
        } catch (CException* e) {
            ExpectKind(e, {});
        }
    } else {
        Decompress(zlib, bytes, unpacked);
    }
    return 0;
}
