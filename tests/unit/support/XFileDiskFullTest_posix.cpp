// The retrying write against a real full disk: /dev/full fails every write
// with ENOSPC.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "common/ScratchDirectory.h"
#include "support/XBlockFile.h"
#include "unit/support/FileFailure.h"

TEST(XFileDiskFull, DeclinedRetryRaisesDiskFullAndAcceptedRetryWritesTheBufferOnce)
{
    // Retries twice and refuses the third time; once given the real file's
    // descriptor, puts it back under the stream and retries.
    class CDiskFullFile : public CXFile {
    public:
        bool OnDiskFull(CFileException* e) override
        {
            EXPECT_EQ(CFileException::diskFull, e->m_cause);
            if (m_nReal >= 0)
                dup2(m_nReal, fileno(m_pStream));
            return ++m_nCalls < 3 || m_nReal >= 0;
        }
        int m_nCalls = 0, m_nReal = -1;
    } file;
    CScratchDirectory files;
    file.OpenWrite(files.File("real.bin").c_str());
    const int real = dup(fileno(file.m_pStream)), full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    dup2(full, fileno(file.m_pStream));
    close(full);
    FileFailure failure = CatchFileException([&] { file.Write("abc", 3); });
    EXPECT_EQ(CFileException::diskFull, failure.cause);
    EXPECT_EQ(-1, failure.osError);
    EXPECT_TRUE(failure.fileName.empty());
    EXPECT_EQ(3, file.m_nCalls);

    file.m_nReal = real;
    file.Write("defg", 4);
    file.Close();
    close(real);
    EXPECT_EQ(4, file.m_nCalls);
    EXPECT_EQ("defg", ReadWholeFile(files.File("real.bin")));
}

TEST(XFileDiskFull, ACountedWriteThatTheDiskRefusesLaterFailsTheClose)
{
    CScratchDirectory files;
    CXBlockFile file;
    file.OpenWrite(files.File("out.bin").c_str());
    const int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    dup2(full, fileno(file.m_pStream));
    close(full);
    file.Write("abc", 3); // gathered, not yet written
    EXPECT_EQ(CFileException::diskFull, CatchFileException([&] { file.Close(); }).cause);
    EXPECT_FALSE(file.IsOpen());
}
