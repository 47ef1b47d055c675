#pragma once
// CXFile: the program's file. The framework's stdio file with a path object,
// the two fixed ways of opening, an exact read and a write that can wait out a
// full disk.

#include "framework/StdioFile.h"
#include "support/FilePath.h"

class CXFile : public CStdioFile {
    DECLARE_DYNAMIC(CXFile)
public:
    CXFile() = default;

    // Sets the framework's file-name string only; the path object keeps what
    // the last successful open gave it.
    void SetFilePath(const char* path) override;

    // The retrying write: the whole buffer straight to the operating system.
    // On a full disk OnDiskFull decides: true writes the same buffer again from
    // where this write began (nothing is written twice), false raises
    // CFileException diskFull with system error -1 and no file name. Any other
    // failure reaches the caller as the CFileException the write raised.
    void Write(const void* buffer, unsigned count) override;

    // True while a file is open.
    virtual bool IsOpen() const;
    // The path of the last successful OpenRead or OpenWrite.
    virtual const CFilePath& GetPath() const;
    // Reads exactly count bytes; fewer raises CFileException endOfFile with
    // system error -1.
    virtual void ReadExact(void* buffer, unsigned count);
    // Called with the disk-full exception (still owned by the writer); true
    // retries the write. CXFile answers false.
    virtual bool OnDiskFull(CFileException* e);

    // Opens for reading, shared with everyone, through a stream buffer of
    // kReadBuffer bytes. On failure raises the CFileException the open filled
    // in (cause, system error, file name).
    void OpenRead(const char* fileName, bool binary = true);
    // Creates the file, or truncates an existing one, for reading and writing,
    // shared with nobody. Failures as OpenRead.
    void OpenWrite(const char* fileName, bool binary = true);

    static const unsigned kReadBuffer = 65536;

protected:
    CFilePath m_path;

private:
    void OpenOrThrow(const char* fileName, unsigned openFlags);
};
