#include "install/TextFileFilter.h"

#include <cstdio>

CTextFileFilter::~CTextFileFilter() = default;

void CTextFileFilter::Open(const CFilePath& path)
{
    m_path = path;
    m_outputPath = path;
    // An existing file under the chosen name would be truncated: no name, no edit.
    if (!m_outputPath.MakeUniqueName(true, 1000))
        AfxThrowFileException(CFileException::genericException, -1, m_outputPath);

    auto output = std::make_unique<CStdioFile>();
    CFileException error(CFileException::none, -1, nullptr);
    if (!output->Open(m_outputPath,
                      CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::shareExclusive |
                          CStdioFile::typeText,
                      &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName.c_str());
    m_pOutput = std::move(output);
    m_bAtLineStart = true;

    auto input = std::make_unique<CStdioFile>();
    if (input->Open(m_path, CStdioFile::modeRead | CStdioFile::shareDenyNone | CStdioFile::typeText,
                    &error)) {
        m_pInput = std::move(input);
        return;
    }
    // Only a missing file is an empty one. A file that is there but cannot be
    // read would otherwise be replaced by our few lines, its entries lost.
    if (error.m_cause == CFileException::fileNotFound && !m_path.Exists())
        return;
    Discard();
    throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName.c_str());
}

bool CTextFileFilter::OnLine()
{
    return true;
}

bool CTextFileFilter::Run()
{
    // Nothing to write into before Open.
    if (!m_pOutput)
        return false;
    try {
        OnBegin();
        // Only the beginning of a line is shown to the subclass: the rest of
        // a line longer than one read is copied unseen, or a piece of it that
        // looked like a header or an entry would be taken for one.
        bool lineStart = true;
        while (m_bRunning && ReadLine()) {
            const bool keep = (m_bDone || !lineStart) ? true : OnLine();
            lineStart = m_strLine.back() == '\n';
            if (keep)
                WriteLine();
            if (m_bStop)
                break;
        }
        OnEnd();
        if (m_pInput)
            m_pInput->Close();
        if (m_pOutput)
            m_pOutput->Close();
    } catch (...) {
        Discard();
        throw;
    }
    if (!m_bChanged || m_bStop) {
        Discard();
        return true;
    }
    return PutInPlace();
}

bool CTextFileFilter::PutInPlace()
{
    bool moveAside = false;
    if (m_backupPath.IsEmpty()) {
        MakeBackupName();
        moveAside = m_backupPath.GetString() != m_path.GetString();
    }
    // A subclass that keeps a backup: the earlier backup goes, the old file
    // steps aside, and comes back should the copy fail to take its place.
    bool movedAside = false;
    if (moveAside && m_path.Exists()) {
        m_backupPath.Delete(true);
        if (!m_path.Rename(m_backupPath)) {
            Discard();
            return false;
        }
        movedAside = true;
    }
    if (m_path.ReplaceWith(m_outputPath))
        return true;
    if (movedAside)
        m_backupPath.Rename(m_path);
    Discard();
    return false;
}

bool CTextFileFilter::ReadLine()
{
    if (!m_pInput || m_pInput->m_pStream == nullptr)
        return false;
    FILE* stream = m_pInput->m_pStream;
    m_strLine.clear();
    // Byte by byte rather than fgets: a zero byte inside a line is copied too.
    const size_t kMaxLine = 511;
    while (m_strLine.size() < kMaxLine) {
        const int c = std::getc(stream);
        if (c == EOF)
            break;
        m_strLine += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (std::ferror(stream)) {
        std::clearerr(stream);
        AfxThrowFileException(CFileException::genericException, -1, m_path);
    }
    return !m_strLine.empty();
}

void CTextFileFilter::WriteLine()
{
    Write(m_strLine);
}

void CTextFileFilter::WriteText(const std::string& text)
{
    if (!m_bAtLineStart)
        Write("\n");
    Write(text);
    m_bChanged = 1;
}

void CTextFileFilter::OnBegin() {}

void CTextFileFilter::OnEnd() {}

void CTextFileFilter::MakeBackupName()
{
    m_backupPath = m_path;
}

void CTextFileFilter::Write(const std::string& text)
{
    if (text.empty())
        return;
    m_pOutput->Write(text.data(), static_cast<unsigned>(text.size()));
    m_bAtLineStart = text.back() == '\n';
}

void CTextFileFilter::Discard()
{
    if (m_pInput)
        m_pInput->Abort();
    if (m_pOutput) {
        m_pOutput->Abort();
        m_outputPath.Delete(true);
    }
}
