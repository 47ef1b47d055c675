#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ScratchFiles.h"
#include "support/XFile.h"

namespace {

// Runs f, expecting a CFileException; returns its cause (-1 when none came).
template <typename F>
int FileExceptionCause(F f, long* osError = nullptr, std::string* fileName = nullptr)
{
    try {
        f();
    } catch (CFileException* e) {
        int cause = e->m_cause;
        if (osError != nullptr)
            *osError = e->m_lOsError;
        if (fileName != nullptr)
            *fileName = e->m_strFileName;
        e->Delete();
        return cause;
    }
    return -1;
}

} // namespace

TEST(XFileOpen, ReadSetsThePathAndSharesTheFile)
{
    CScratchFiles files;
    const std::string name = files.Write("a.bin", "hello");
    CXFile file;
    EXPECT_FALSE(file.IsOpen());
    file.OpenRead(name.c_str());
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(name, file.GetPath().GetString());
    // Reading is shared: a second reader opens the same file.
    CXFile second;
    second.OpenRead(name.c_str());
    char buffer[5];
    second.ReadExact(buffer, 5);
    EXPECT_EQ("hello", std::string(buffer, 5));
}

TEST(XFileOpen, MissingFileRaisesWhatTheOpenFound)
{
    CScratchFiles files;
    const std::string name = files.Path("missing.bin");
    CXFile file;
    std::string fileName;
    long osError = 0;
    EXPECT_EQ(CFileException::fileNotFound,
              FileExceptionCause([&] { file.OpenRead(name.c_str()); }, &osError, &fileName));
    EXPECT_EQ(name, fileName);
    EXPECT_NE(-1, osError);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(file.GetPath().IsEmpty());
}

TEST(XFileOpen, WriteTruncatesAnExistingFile)
{
    CScratchFiles files;
    const std::string name = files.Write("a.bin", "old contents");
    {
        CXFile file;
        file.OpenWrite(name.c_str());
        file.Write("new", 3);
    }
    EXPECT_EQ("new", CScratchFiles::Read(name));
}

TEST(XFileOpen, WriteOnAReadOnlyFileIsAccessDenied)
{
    CScratchFiles files;
    const std::string name = files.Write("ro.bin", "keep");
    CFileStatus status;
    ASSERT_TRUE(CStdioFile::GetStatus(name.c_str(), status));
    status.m_attribute = CStdioFile::readOnly;
    status.m_mtime = 0;
    CStdioFile::SetStatus(name.c_str(), status);
    CXFile file;
    int cause = FileExceptionCause([&] { file.OpenWrite(name.c_str()); });
    if (cause == -1)
        GTEST_SKIP() << "this account writes to read-only files (administrator)";
    EXPECT_EQ(CFileException::accessDenied, cause);
    EXPECT_EQ("keep", CScratchFiles::Read(name));
}

TEST(XFileReadExact, ShortFileRaisesEndOfFile)
{
    CScratchFiles files;
    const std::string name = files.Write("five.bin", "12345");
    CXFile file;
    file.OpenRead(name.c_str());
    char buffer[8];
    long osError = 0;
    EXPECT_EQ(CFileException::endOfFile,
              FileExceptionCause([&] { file.ReadExact(buffer, 8); }, &osError));
    EXPECT_EQ(-1, osError);
}

TEST(XFileWrite, GoesStraightToTheFile)
{
    CScratchFiles files;
    const std::string name = files.Path("out.bin");
    CXFile file;
    file.OpenWrite(name.c_str());
    file.Write("abc", 3);
    // No stdio buffer holds the bytes: the file has them before it is closed.
    CFileStatus status;
    ASSERT_TRUE(CStdioFile::GetStatus(name.c_str(), status));
    EXPECT_EQ(3u, status.m_size);
    file.Close();
    EXPECT_EQ("abc", CScratchFiles::Read(name));
}

TEST(XFileWrite, FailureOtherThanDiskFullIsNotRetried)
{
    CScratchFiles files;
    const std::string name = files.Write("in.bin", "data");

    class CCountingFile : public CXFile {
    public:
        bool OnDiskFull(CFileException*) override
        {
            ++m_nCalls;
            return true;
        }
        int m_nCalls = 0;
    } file;
    file.OpenRead(name.c_str());
    // Writing to a file opened for reading fails at once, and is not a full disk.
    int cause = FileExceptionCause([&] { file.Write("x", 1); });
    EXPECT_NE(-1, cause);
    EXPECT_NE(CFileException::diskFull, cause);
    EXPECT_EQ(0, file.m_nCalls);
}

TEST(StdioFileStatus, TimeAndReadOnlyRoundTrip)
{
    CScratchFiles files;
    const std::string name = files.Write("s.bin", "12345");
    CFileStatus status;
    ASSERT_TRUE(CStdioFile::GetStatus(name.c_str(), status));
    EXPECT_EQ(5u, status.m_size);
    EXPECT_EQ(0, status.m_attribute & CStdioFile::readOnly);
    status.m_mtime = 1000000000;
    status.m_attribute = CStdioFile::readOnly;
    CStdioFile::SetStatus(name.c_str(), status);
    CFileStatus after;
    ASSERT_TRUE(CStdioFile::GetStatus(name.c_str(), after));
    EXPECT_EQ(1000000000, static_cast<long long>(after.m_mtime));
    EXPECT_EQ(CStdioFile::readOnly, after.m_attribute & CStdioFile::readOnly);

    // A time of 0 leaves the time alone; the read-only file takes the change.
    after.m_mtime = 0;
    after.m_attribute = 0;
    CStdioFile::SetStatus(name.c_str(), after);
    CFileStatus last;
    ASSERT_TRUE(CStdioFile::GetStatus(name.c_str(), last));
    EXPECT_EQ(1000000000, static_cast<long long>(last.m_mtime));
    EXPECT_EQ(0, last.m_attribute & CStdioFile::readOnly);
}

TEST(StdioFileStatus, MissingFileHasNoStatus)
{
    CScratchFiles files;
    CFileStatus status;
    EXPECT_FALSE(CStdioFile::GetStatus(files.Path("none").c_str(), status));
}
