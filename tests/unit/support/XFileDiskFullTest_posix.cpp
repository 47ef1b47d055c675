// The retrying write against a real full disk: /dev/full fails every write
// with ENOSPC.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "ScratchFiles.h"
#include "support/XFile.h"

namespace {

// Answers "retry" a given number of times; before answering, may swap the
// full device for a real file under the same descriptor.
class CDiskFullFile : public CXFile {
public:
    bool OnDiskFull(CFileException* e) override
    {
        EXPECT_EQ(CFileException::diskFull, e->m_cause);
        ++m_nCalls;
        if (m_nReplacement >= 0 && m_nCalls == m_nRetries) {
            dup2(m_nReplacement, fileno(m_pStream));
            return true;
        }
        return m_nCalls <= m_nRetries;
    }
    int m_nCalls = 0;
    int m_nRetries = 0;
    int m_nReplacement = -1;
};

} // namespace

TEST(XFileDiskFull, DeclinedRetryRaisesDiskFullWithoutDetails)
{
    CDiskFullFile file;
    file.m_nRetries = 2;
    file.OpenWrite("/dev/full");
    try {
        file.Write("abc", 3);
        FAIL() << "the write succeeded";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::diskFull, e->m_cause);
        EXPECT_EQ(-1, e->m_lOsError);
        EXPECT_TRUE(e->m_strFileName.empty());
        e->Delete();
    }
    // Two retries accepted, the third refused.
    EXPECT_EQ(3, file.m_nCalls);
}

TEST(XFileDiskFull, AcceptedRetryWritesTheWholeBufferAgain)
{
    CScratchFiles files;
    const std::string real = files.Path("real.bin");
    CDiskFullFile file;
    file.OpenWrite(real.c_str());
    // The descriptor becomes the full device; the hook puts the real file back
    // and asks for a retry, which must write the whole buffer once.
    int realFd = dup(fileno(file.m_pStream));
    int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    dup2(full, fileno(file.m_pStream));
    close(full);
    file.m_nRetries = 1;
    file.m_nReplacement = realFd;
    file.Write("defg", 4);
    file.Close();
    close(realFd);
    EXPECT_EQ(1, file.m_nCalls);
    EXPECT_EQ("defg", CScratchFiles::Read(real));
}
