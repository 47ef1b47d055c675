// Sharing modes exist on Windows only: a file open for writing is shared with
// nobody, one open for reading with everyone.
#include <gtest/gtest.h>

#include "common/ScratchDirectory.h"
#include "unit/support/FileFailure.h"
#include "support/XFile.h"

TEST(XFileSharing, WrittenFileIsSharedWithNobodyAndReadFileWithAll)
{
    CScratchDirectory files;
    const std::string name = files.File("locked.bin");
    CXFile writer, reader, second;
    writer.OpenWrite(name.c_str());
    FileFailure failure = CatchFileException([&] { reader.OpenRead(name.c_str()); });
    EXPECT_EQ(CFileException::sharingViolation, failure.cause);
    EXPECT_EQ(32, failure.osError); // ERROR_SHARING_VIOLATION
    writer.Close();
    reader.OpenRead(name.c_str());
    second.OpenRead(name.c_str());
    EXPECT_TRUE(second.IsOpen());
}
