// CDriveIterator over the drives of the Wine prefix: C: is its first fixed
// disk, and letters without a drive report "no root directory".
#include <gtest/gtest.h>

#include <windows.h>

#include "support/DriveIterator.h"

TEST(DriveIterator, VisitsEveryLetterFindsTheFirstFixedDiskAndStaysPutWhenASearchFails)
{
    CDriveIterator letters;
    int visited = 0;
    while (letters.Next())
        ++visited;
    EXPECT_EQ(std::to_string(visited) + letters.GetLetter(), "26Z");
    // The destination page's kind of iterator, whose Next searches: the search
    // must not call it back.
    struct CFixedDriveIterator : CDriveIterator {
        bool Next() override { return FindNextFixed(); }
    } drives;
    EXPECT_FALSE(drives.FindNext(DRIVE_RAMDISK));
    EXPECT_EQ(drives.GetIndex(), -1);
    ASSERT_TRUE(drives.Next());
    CFilePath root;
    drives.GetRoot(root);
    EXPECT_EQ(drives.GetLetter() + root.GetString() + std::to_string(drives.GetType()), "Cc:\\3");
    EXPECT_FALSE(drives.FindNext(DRIVE_RAMDISK));
    EXPECT_EQ(drives.GetIndex(), 2);
    while (drives.Next())
        EXPECT_EQ(drives.GetType(), static_cast<unsigned>(DRIVE_FIXED));
}
