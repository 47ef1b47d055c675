// CFileVersion on small libraries built with different version resources,
// which lie next to the test program.
#include <gtest/gtest.h>

#include "support/FilePath.h"
#include "support/FileVersion.h"

namespace {

// A library beside the test program, loaded.
struct CLoadedVersion : CFileVersion {
    explicit CLoadedVersion(const char* name)
    {
        EXPECT_TRUE(Load((CFilePath(CFilePath::locModule).GetString() + name).c_str())) << name;
    }
};

bool Newer(const char* a, const char* b)
{
    return CLoadedVersion(a).IsNewerThan(CLoadedVersion(b));
}

} // namespace

TEST(FileVersion, ComparesPartByPartAsUnsignedNumbers)
{
    EXPECT_FALSE(Newer("version_4001.dll", "version_4001_copy.dll"));
    EXPECT_TRUE(Newer("version_4010.dll", "version_4001.dll"));
    EXPECT_FALSE(Newer("version_4001.dll", "version_4010.dll"));
    // The build decides before the revision, however large the revision;
    // 40000 does not fit a signed 16-bit number and is still greater than 1.
    EXPECT_TRUE(Newer("version_4010.dll", "version_high_revision.dll"));
    EXPECT_TRUE(Newer("version_high_revision.dll", "version_4001.dll"));
    EXPECT_FALSE(Newer("version_4001.dll", "version_high_revision.dll"));
}

TEST(FileVersion, WithoutAFixedVersionNothingIsNewer)
{
    // A failed load drops what an earlier one loaded.
    CLoadedVersion file("version_4001.dll");
    EXPECT_FALSE(file.Load((CFilePath(CFilePath::locModule).GetString() + "NONE.DLL").c_str()));
    uint16_t major = 7, minor = 7;
    EXPECT_FALSE(file.GetFixedVersion(&major, &minor));

    // Loaded, but the query for the fixed version finds nothing.
    CLoadedVersion broken("version_no_fixed.dll"), good("version_4001.dll");
    EXPECT_FALSE(broken.GetFixedVersion(&major, &minor));
    EXPECT_FALSE(broken.IsNewerThan(good));
    EXPECT_TRUE(good.IsNewerThan(broken));
    EXPECT_FALSE(broken.IsNewerThan(broken));
}
