// CDriveIterator over the drives of the Wine prefix: C: is its first fixed
// disk, and letters without a drive report "no root directory".
#include <gtest/gtest.h>

#include <windows.h>

#include "support/DriveIterator.h"

namespace {

// The destination page's kind of iterator: Next moves to the next fixed disk.
class CFixedDriveIterator : public CDriveIterator {
public:
    bool Next() override { return FindNextFixed(); }
};

} // namespace

TEST(DriveIterator, FindsTheFirstFixedDisk)
{
    CDriveIterator drives;
    EXPECT_EQ(drives.GetIndex(), -1);
    ASSERT_TRUE(drives.FindNextFixed());
    EXPECT_EQ(drives.GetIndex(), 2);
    EXPECT_EQ(drives.GetLetter(), 'C');
    EXPECT_EQ(drives.GetType(), static_cast<unsigned>(DRIVE_FIXED));
    CFilePath root;
    drives.GetRoot(root);
    EXPECT_EQ(root.GetString(), "c:\\");
}

TEST(DriveIterator, NextVisitsEveryLetterAndStopsAfterZ)
{
    CDriveIterator drives;
    int visited = 0;
    int last = -1;
    while (drives.Next()) {
        EXPECT_EQ(drives.GetIndex(), last + 1);
        last = drives.GetIndex();
        ++visited;
    }
    EXPECT_EQ(visited, 26);
    // Past Z the iterator stays on Z.
    EXPECT_EQ(drives.GetIndex(), 25);
    EXPECT_EQ(drives.GetLetter(), 'Z');
    EXPECT_FALSE(drives.Next());
    EXPECT_EQ(drives.GetIndex(), 25);
}

TEST(DriveIterator, AFailedSearchStaysWhereItWas)
{
    CDriveIterator drives;
    EXPECT_FALSE(drives.FindNext(DRIVE_RAMDISK));
    EXPECT_EQ(drives.GetIndex(), -1);
    ASSERT_TRUE(drives.FindNextFixed());
    EXPECT_FALSE(drives.FindNext(DRIVE_RAMDISK));
    EXPECT_EQ(drives.GetIndex(), 2);
}

TEST(DriveIterator, ASubclassSearchingInNextIsNotCalledBack)
{
    CFixedDriveIterator fixed;
    ASSERT_TRUE(fixed.Next());
    EXPECT_EQ(fixed.GetLetter(), 'C');
    // Each further call moves on to a later fixed disk or stays put.
    while (fixed.Next())
        EXPECT_EQ(fixed.GetType(), static_cast<unsigned>(DRIVE_FIXED));
    EXPECT_GE(fixed.GetIndex(), 2);
}
