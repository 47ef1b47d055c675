// Sharing modes exist on Windows only: a file open for writing is shared with
// nobody, one open for reading with everyone.
#include <gtest/gtest.h>

#include "ScratchFiles.h"
#include "support/XFile.h"

TEST(XFileSharing, WrittenFileIsSharedWithNobody)
{
    CScratchFiles files;
    const std::string name = files.Path("locked.bin");
    CXFile writer;
    writer.OpenWrite(name.c_str());
    CXFile reader;
    try {
        reader.OpenRead(name.c_str());
        ADD_FAILURE() << "a second open succeeded";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::sharingViolation, e->m_cause);
        EXPECT_EQ(32, e->m_lOsError); // ERROR_SHARING_VIOLATION
        e->Delete();
    }
}

TEST(XFileSharing, ReadFileCanBeOpenedAgain)
{
    CScratchFiles files;
    const std::string name = files.Write("shared.bin", "x");
    CXFile first, second;
    first.OpenRead(name.c_str());
    second.OpenRead(name.c_str());
    EXPECT_TRUE(second.IsOpen());
}
