#pragma once
// CTextFileFilter: edits a text file by copying it line by line into a new
// file beside it, letting a subclass look at each line and add text, and
// putting the copy in the old file's place only when something was added.
//
// The old file is never lost: until the copy has wholly replaced it, it stays
// as it was, and the copy under its random name is removed again on every
// failure. Portable: no system headers beyond the C and C++ libraries.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/StdioFile.h"
#include "support/FilePath.h"

class CTextFileFilter {
public:
    CTextFileFilter() = default;
    // Closes whatever is still open.
    virtual ~CTextFileFilter();
    CTextFileFilter(const CTextFileFilter&) = delete;
    CTextFileFilter& operator=(const CTextFileFilter&) = delete;

    // Binds the filter to path: the output path becomes the same path with a
    // new random eight-digit title, created empty for writing in text mode;
    // path is opened for reading in text mode when it exists (when it does
    // not, the filter works on an empty file). Throws CFileException when the
    // output cannot be created, when no free name is found, or when path
    // exists but cannot be read; nothing is left behind then.
    void Open(const CFilePath& path);

    // Keeps the line (true) or drops it from the copy. The base keeps it.
    virtual bool OnLine();
    // The copy loop: OnBegin, each line through OnLine (or kept unseen once
    // m_bDone is set; the pieces after the first of a long line are kept
    // unseen too) until the input ends or m_bStop is set, OnEnd. Then the
    // copy replaces the file when text was added and the loop was not
    // stopped; otherwise it is deleted and the file stays as it was. True
    // when the file is as wanted: replaced, or left alone on purpose. False
    // when the copy could not be put in place; the old file is then intact
    // and the copy gone (also false before Open). A read or write failure
    // throws CFileException, the copy deleted first.
    virtual bool Run();
    // One line of at most 511 characters into m_strLine, its line end kept;
    // false at the end of the input or when no input is open. A longer line
    // comes in pieces.
    virtual bool ReadLine();
    // Writes m_strLine to the output as it is.
    virtual void WriteLine();
    // Writes added text and sets m_bChanged. When the output so far ends in
    // the middle of a line (a last line without line end), a line end comes
    // first, so that the added text never runs into that line.
    virtual void WriteText(const std::string& text);
    virtual void OnBegin();
    virtual void OnEnd();
    // Chooses where the old file goes before the copy takes its name. The
    // base names the file itself: the old file is replaced, no backup kept.
    virtual void MakeBackupName();

    CFilePath m_path;
    CFilePath m_outputPath;
    // Empty unless a subclass sets it (or MakeBackupName, during Run).
    CFilePath m_backupPath;
    std::unique_ptr<CStdioFile> m_pInput;
    std::unique_ptr<CStdioFile> m_pOutput;
    std::string m_strLine;
    int32_t m_bRunning = 1;
    int32_t m_bDone = 0;
    int32_t m_bStop = 0;
    int32_t m_bChanged = 0;

private:
    void Write(const std::string& text);
    // Closes both files and deletes the output (for failures).
    void Discard();
    // Puts the output in the file's place; false with the old file intact.
    bool PutInPlace();

    // False while the output ends inside a line.
    bool m_bAtLineStart = true;
};
