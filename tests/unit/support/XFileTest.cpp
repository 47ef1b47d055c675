#include <gtest/gtest.h>

#include <string>

#include "common/ScratchDirectory.h"
#include "unit/support/FileFailure.h"
#include "support/XFile.h"

TEST(XFileOpen, FailuresRaiseWhatTheOpenFound)
{
    CScratchDirectory files;
    const std::string missing = files.File("missing.bin");
    CXFile file;
    FileFailure failure = CatchFileException([&] { file.OpenRead(missing.c_str()); });
    EXPECT_EQ(CFileException::fileNotFound, failure.cause);
    EXPECT_EQ(missing, failure.fileName);
    EXPECT_NE(-1, failure.osError);
    EXPECT_FALSE(file.IsOpen());

    const std::string readOnly = files.WriteFile("ro.bin", "keep");
    CFileStatus status; // no time: only the attribute changes
    status.m_attribute = CStdioFile::readOnly;
    CStdioFile::SetStatus(readOnly.c_str(), status);
    failure = CatchFileException([&] { file.OpenWrite(readOnly.c_str()); });
    if (failure.cause == -1)
        GTEST_SKIP() << "this account writes to read-only files; the missing file was checked";
    EXPECT_EQ(CFileException::accessDenied, failure.cause);
    EXPECT_EQ("keep", ReadWholeFile(readOnly));
}

TEST(XFileWrite, TruncatesAndGoesStraightToTheFile)
{
    CScratchDirectory files;
    const std::string name = files.WriteFile("a.bin", "old contents");
    CXFile file;
    file.OpenWrite(name.c_str());
    file.Write("new", 3);
    // No stdio buffer holds the bytes: the file has them before it is closed.
    CFileStatus status;
    ASSERT_TRUE(CStdioFile::GetStatus(name.c_str(), status));
    EXPECT_EQ(3u, status.m_size);
    file.Close();
    EXPECT_EQ("new", ReadWholeFile(name));
}

TEST(XFileWrite, FailureOtherThanDiskFullIsNotRetried)
{
    CScratchDirectory files;
    class CCountingFile : public CXFile {
    public:
        bool OnDiskFull(CFileException*) override { return ++m_nCalls < 100; }
        int m_nCalls = 0;
    } file;
    file.OpenRead(files.WriteFile("in.bin", "data").c_str());
    // Writing to a file opened for reading fails at once, and is not a full disk.
    const int cause = CatchFileException([&] { file.Write("x", 1); }).cause;
    EXPECT_NE(-1, cause);
    EXPECT_NE(CFileException::diskFull, cause);
    EXPECT_EQ(0, file.m_nCalls);
}
