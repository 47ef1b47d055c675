#pragma once
// CStdioFile: the framework's file over a C runtime stream. Reads (and the
// buffered Write) go through the stream's buffer; WriteThrough goes straight to
// the operating system, bypassing it.
//
// Every failure is a CFileException thrown by pointer. The object closes a file
// that is still open when it is destroyed.

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "framework/FileException.h"

// What GetStatus reports and SetStatus applies.
struct CFileStatus {
    time_t m_mtime = 0;        // last modification, seconds since 1970 (UTC); 0 = none
    uint64_t m_size = 0;       // bytes
    uint8_t m_attribute = 0;   // CStdioFile::Attribute bits
    std::string m_strFullName; // the name the status was read for
};

class CStdioFile : public CObject {
    DECLARE_DYNAMIC(CStdioFile)
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    enum Attribute : uint8_t {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };

    enum SeekPosition : unsigned { begin = 0, current = 1, end = 2 };

    CStdioFile();
    ~CStdioFile() override;

    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // The name the file was opened with (empty when closed and never opened).
    const std::string& GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(const char* path);

    // Opens the stream. On failure returns false and, when pError is given,
    // fills it with the cause, the system error and the file name; the file
    // stays closed. modeCreate creates or truncates the file.
    virtual bool Open(const char* fileName, unsigned openFlags, CFileException* pError = nullptr);

    // Up to count bytes from the stream; fewer only at the end of the file.
    // A read error raises CFileException genericException.
    virtual unsigned Read(void* buffer, unsigned count);
    // Buffered write through the stream.
    virtual void Write(const void* buffer, unsigned count);

    // The position after the move. A failure raises CFileException badSeek.
    virtual uint64_t Seek(int64_t offset, unsigned from);
    virtual uint64_t GetPosition() const;
    virtual void Flush();

    // Closes the stream; a failure to close raises CFileException (the file
    // is closed all the same).
    virtual void Close();
    // Closes the stream and ignores every failure.
    virtual void Abort();

    // Flushes the stream, then writes the whole buffer straight to the
    // operating system at the current position. A failure raises
    // CFileException with the system's cause (diskFull when the disk is full,
    // also when the system wrote fewer bytes than asked). pWritten, when
    // given, receives the bytes the system took, also when the write failed.
    void WriteThrough(const void* buffer, unsigned count, unsigned* pWritten = nullptr);

    // The status of the named file; false when it cannot be read.
    static bool GetStatus(const char* fileName, CFileStatus& status);
    // Applies the attribute byte and, when m_mtime is not 0, the modification
    // time to the named file (a read-only file gets its time too). A failure
    // raises CFileException.
    static void SetStatus(const char* fileName, const CFileStatus& status);
    // Gives the open file the status's modification time (when not 0)
    // through its handle, once what is written has gone to the system, so
    // that the file need not be opened again for it; where the system sets
    // attributes through a handle, the attribute byte too. True when the
    // attributes were set, false when SetStatus must still set them by name
    // (with no time). A failure raises CFileException.
    bool SetOpenStatus(const CFileStatus& status);

    FILE* m_pStream;

protected:
    std::string m_strFileName;

private:
    // The platform's open with sharing (shareFlags: the share bits of the open
    // flags); on failure null, with cause and osError set.
    static FILE* OpenStream(const char* fileName, const char* mode, unsigned shareFlags, int& cause,
                            long& osError);
};
