// The install item list: its order, and the space the items need.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "profile/FileGroup.h"
#include "profile/InstallItemList.h"

namespace {

std::unique_ptr<CDisketteMultiFile> Item(const CFileGroup& group, const char* name,
                                         int16_t diskette, int32_t size = 0, int16_t fileCount = 1)
{
    CDisketteMultiFile::Entry entry;
    entry.sourceName = name;
    entry.diskette = diskette;
    entry.size = size;
    entry.fileCount = fileCount;
    return std::unique_ptr<CDisketteMultiFile>(new CDisketteMultiFile(entry, group));
}

std::vector<std::string> Names(const CInstallItemList& list)
{
    std::vector<std::string> names;
    for (const auto& item : list)
        names.push_back(item->m_strSourceName);
    return names;
}

int32_t Estimate(int32_t size, int16_t files, int32_t cluster)
{
    CFileGroup group;
    return Item(group, "X", 1, size, files)->SpaceEstimate(cluster);
}

} // namespace

TEST(InsertItem, OrdersByDisketteThenUnmarkedBeforeMarked)
{
    CFileGroup group;
    CInstallItemList list;
    list.InsertItem(Item(group, "D2-MARKED", -2));
    list.InsertItem(Item(group, "D3", 3));
    list.InsertItem(Item(group, "D1-MARKED", -1));
    list.InsertItem(Item(group, "D2", 2));
    list.InsertItem(Item(group, "D1", 1));
    list.InsertItem(Item(group, "D2-MARKED-2", -2));
    list.InsertItem(Item(group, "D2-2", 2));
    list.InsertItem(Item(group, "D0", 0));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"D0", "D1", "D1-MARKED", "D2", "D2-2",
                                                     "D2-MARKED", "D2-MARKED-2", "D3"}));
}

TEST(InsertItem, EqualItemsKeepTheirReadingOrder)
{
    CFileGroup group;
    CInstallItemList list;
    for (const char* name : {"A", "B", "C"})
        list.InsertItem(Item(group, name, 1));
    for (const char* name : {"X", "Y"})
        list.InsertItem(Item(group, name, -1));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "B", "C", "X", "Y"}));
}

TEST(InsertItem, AMarkedItemFirstOnItsDisketteEndsUpSecond)
{
    CFileGroup group;
    CInstallItemList list;
    list.InsertItem(Item(group, "FIRST", -1));
    list.InsertItem(Item(group, "SECOND", 1));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"SECOND", "FIRST"}));
    EXPECT_EQ((*list.begin())->m_nDiskette, 1);
    EXPECT_EQ((*std::next(list.begin()))->m_nDiskette, 1);
}

TEST(SpaceEstimate, RoundsSingleFilesToClustersAndAddsSlackForArchives)
{
    EXPECT_EQ(Estimate(1000, 1, 0), 1000);
    EXPECT_EQ(Estimate(1000, 1, 512), 1024);
    EXPECT_EQ(Estimate(1000, 1, 4096), 4096);
    EXPECT_EQ(Estimate(4096, 1, 4096), 4096);
    EXPECT_EQ(Estimate(0, 1, 4096), 0);
    // Three files: one and a half clusters of slack.
    EXPECT_EQ(Estimate(1000, 3, 4096), 1000 + 6144);
    // Half of an odd product rounds toward zero.
    EXPECT_EQ(Estimate(1000, 3, 511), 1000 + 766);
    EXPECT_EQ(Estimate(1000, 2, 0), 1000);
    // A file count of 0 or below counts as one file.
    EXPECT_EQ(Estimate(1000, 0, 512), 1024);
    EXPECT_EQ(Estimate(1000, -5, 512), 1024);
}

TEST(SpaceEstimate, WrapsLikeSigned32BitArithmetic)
{
    // Near the top the rounding wraps round to negative numbers instead of
    // overflowing.
    EXPECT_EQ(Estimate(INT32_MAX, 1, 4096), INT32_MIN + 4096);
    EXPECT_EQ(Estimate(INT32_MAX - 100, 1, 512), INT32_MIN + 512);
    // c * k wraps before it is halved.
    EXPECT_EQ(Estimate(0, 32767, 131072), -65536);
    EXPECT_EQ(Estimate(-1000, 1, 512), 0);
    // The one division that traps in 32-bit machine arithmetic wraps instead.
    EXPECT_EQ(Estimate(INT32_MIN + 2, 1, -1), INT32_MIN);
}

TEST(RequiredBytes, SumsTheSelectedItemsOrAll)
{
    CFileGroup main, extra;
    CInstallItemList list;
    list.InsertItem(Item(main, "A", 1, 1000));
    list.InsertItem(Item(main, "B", 1, 3000, 3));
    list.InsertItem(Item(extra, "C", 2, 500));
    EXPECT_EQ(list.RequiredBytes(0, false), 0);
    EXPECT_EQ(list.RequiredBytes(0, true), 4500);
    EXPECT_EQ(list.RequiredBytes(512, true), 1024 + 3000 + 768 + 512);
    main.m_bSelected = true;
    EXPECT_EQ(list.RequiredBytes(0, false), 4000);
    EXPECT_EQ(list.RequiredBytes(4096, false), 4096 + 3000 + 6144);
}

TEST(RequiredBytes, TheSumDoesNotWrap)
{
    CFileGroup group;
    group.m_bSelected = true;
    CInstallItemList list;
    for (int i = 0; i < 3; ++i)
        list.InsertItem(Item(group, "BIG", 1, 2000000000));
    EXPECT_EQ(list.RequiredBytes(0, false), 6000000000LL);
}
