// The copy page's per-file percentage.
#include <gtest/gtest.h>

#include "pages/CopyPage.h"

TEST(CopyPage, PercentOfAFileIsExactAndStaysWithin0To100)
{
    EXPECT_EQ(CCopyPage::Percent(0, 0), 100); // an empty file is done at once
    EXPECT_EQ(CCopyPage::Percent(4096, 8192), 50);
    EXPECT_EQ(CCopyPage::Percent(9000, 8192), 100); // more written than recorded
    // Past 42 949 672 bytes, written * 100 no longer fits 32 bits.
    EXPECT_EQ(CCopyPage::Percent(3000000000u, 4000000000u), 75);
    EXPECT_EQ(CCopyPage::Percent(50000000u, 100000000u), 50);
}
