// CFileVersion on small libraries built with different version resources,
// which lie next to the test program.
#include <gtest/gtest.h>

#include <string>

#include "support/FilePath.h"
#include "support/FileVersion.h"
#include "unit/support/ScratchDirectory.h"

namespace {

std::string BesideProgram(const char* name)
{
    CFilePath path(CFilePath::locModule);
    path.SetFileName(name);
    return path.GetString();
}

struct Version {
    uint16_t major = 0, minor = 0, build = 0, revision = 0;
};

Version FixedVersionOf(const char* name)
{
    CFileVersion file;
    Version v;
    EXPECT_TRUE(file.Load(BesideProgram(name).c_str())) << name;
    EXPECT_TRUE(file.GetFixedVersion(&v.major, &v.minor, &v.build, &v.revision)) << name;
    return v;
}

bool Newer(const char* a, const char* b)
{
    CFileVersion first, second;
    EXPECT_TRUE(first.Load(BesideProgram(a).c_str())) << a;
    EXPECT_TRUE(second.Load(BesideProgram(b).c_str())) << b;
    return first.IsNewerThan(second);
}

} // namespace

TEST(FileVersion, ReadsTheFourPartsOfTheFixedVersion)
{
    Version v = FixedVersionOf("version_4010.dll");
    EXPECT_EQ(v.major, 4);
    EXPECT_EQ(v.minor, 0);
    EXPECT_EQ(v.build, 1);
    EXPECT_EQ(v.revision, 0);
    v = FixedVersionOf("version_high_revision.dll");
    EXPECT_EQ(v.revision, 40000);

    // Build and revision may be left out.
    CFileVersion file;
    ASSERT_TRUE(file.Load(BesideProgram("version_4001.dll").c_str()));
    uint16_t major = 0, minor = 9;
    EXPECT_TRUE(file.GetFixedVersion(&major, &minor));
    EXPECT_EQ(major, 4);
    EXPECT_EQ(minor, 0);
}

TEST(FileVersion, ComparesPartByPartAsUnsignedNumbers)
{
    EXPECT_FALSE(Newer("version_4001.dll", "version_4001_copy.dll"));
    EXPECT_FALSE(Newer("version_4001_copy.dll", "version_4001.dll"));
    EXPECT_TRUE(Newer("version_4010.dll", "version_4001.dll"));
    EXPECT_FALSE(Newer("version_4001.dll", "version_4010.dll"));
    // The build decides before the revision, however large the revision.
    EXPECT_TRUE(Newer("version_4010.dll", "version_high_revision.dll"));
    // 40000 does not fit a signed 16-bit number; it is still greater than 1.
    EXPECT_TRUE(Newer("version_high_revision.dll", "version_4001.dll"));
    EXPECT_FALSE(Newer("version_4001.dll", "version_high_revision.dll"));
}

TEST(FileVersion, FilesWithoutVersionInformationDoNotLoad)
{
    CScratchDirectory scratch;
    std::string text = scratch.WriteFile("README.TXT", "no version here");
    CFileVersion file;
    EXPECT_FALSE(file.Load(text.c_str()));
    EXPECT_FALSE(file.IsLoaded());
    EXPECT_FALSE(file.Load(scratch.File("MISSING.DLL").c_str()));

    uint16_t major = 7, minor = 7;
    EXPECT_FALSE(file.GetFixedVersion(&major, &minor));
    EXPECT_EQ(major, 7);

    // A failed load drops what an earlier one loaded.
    ASSERT_TRUE(file.Load(BesideProgram("version_4001.dll").c_str()));
    EXPECT_FALSE(file.Load(text.c_str()));
    EXPECT_FALSE(file.GetFixedVersion(&major, &minor));
}

TEST(FileVersion, AVersionWithoutFixedRecordIsNeverNewer)
{
    CFileVersion broken;
    ASSERT_TRUE(broken.Load(BesideProgram("version_no_fixed.dll").c_str()));
    uint16_t major = 0, minor = 0;
    EXPECT_FALSE(broken.GetFixedVersion(&major, &minor));

    CFileVersion good;
    ASSERT_TRUE(good.Load(BesideProgram("version_4001.dll").c_str()));
    EXPECT_FALSE(broken.IsNewerThan(good));
    EXPECT_TRUE(good.IsNewerThan(broken));
    EXPECT_FALSE(broken.IsNewerThan(broken));

    CFileVersion empty;
    EXPECT_FALSE(empty.IsNewerThan(good));
    EXPECT_TRUE(good.IsNewerThan(empty));
}
