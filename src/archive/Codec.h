#pragma once
// CCodec: turns a member's packed data back into the file (Decompress, the
// reader's direction) or a file into packed data (Compress, the writer's). It
// reads from a source file and writes to a destination file through their
// framework Read and Write: for the program's block files those are the
// counted transfers, so checksums, block hooks and changes of piece happen
// underneath without the codec knowing.
//
// A codec lives for one member; its buffers are allocated once, by the
// constructor. Failures are thrown (CZLibException, CFileException,
// CMemoryException) and leave the destination partly written.

#include <cstdint>

class CXFile;

class CCodec {
public:
    virtual ~CCodec();

    CCodec(const CCodec&) = delete;
    CCodec& operator=(const CCodec&) = delete;

    // Asks a run to stop: the run goes on to its end; the caller checks
    // IsAborted afterwards.
    virtual void Abort();

    // One byte through the source's Read (no end-of-data indication: 0 then).
    virtual uint8_t ReadByte();
    // The source's Read.
    virtual unsigned Read(void* buffer, unsigned count);
    virtual void WriteByte(uint8_t byte);
    // The destination's Write.
    virtual void Write(const void* buffer, unsigned count);

    // Reads the source to its end and writes its packed form.
    virtual void Compress() = 0;
    // Clears the aborted flag, binds source and destination, compresses, and
    // unbinds them again (also when Compress throws).
    virtual void RunCompress(CXFile* source, CXFile* destination);
    // Reads at most packed bytes of packed data and writes the unpacked data.
    virtual void Decompress(uint32_t packed, uint32_t unpacked) = 0;
    // Clears the aborted flag, binds source and destination, decompresses,
    // and unbinds them again (also when Decompress throws).
    virtual void RunDecompress(CXFile* source, CXFile* destination, uint32_t packed,
                               uint32_t unpacked);

    bool IsAborted() const { return m_bAborted != 0; }

protected:
    CCodec() = default;

    CXFile* m_pSource = nullptr;
    CXFile* m_pDestination = nullptr;
    int32_t m_bAborted = 0;
};
