#include <gtest/gtest.h>

#include <string>

#include "support/FilePath.h"
#include "support/Mbcs.h"

namespace {

struct Parts {
    std::string drive, dir, title, ext;
};

Parts SplitOf(const char* path)
{
    Parts p;
    CFilePath(path).Split(&p.drive, &p.dir, &p.title, &p.ext);
    return p;
}

std::string DirectoryOf(const char* path)
{
    std::string s;
    CFilePath(path).GetDirectory(s);
    return s;
}

} // namespace

TEST(FilePathSplit, TakesAPathApart)
{
    struct {
        const char* path;
        const char *drive, *dir, *title, *ext;
    } cases[] = {
        {"C:\\APPS\\TOOLS\\SETUP.INI", "C", "\\APPS\\TOOLS", "SETUP", "INI"},
        {"C:\\X.TXT", "C", "\\", "X", "TXT"},
        {"C:\\DIR\\", "C", "\\DIR", "", ""},
        {"NAME", "", "", "NAME", ""},
        {"", "", "", "", ""},
        {"a/b/c.d", "", "a/b", "c", "d"},
        {"C:\\A.B\\FILE", "C", "\\A.B", "FILE", ""}, // a dot in a directory is no extension
        {"C:\\ARCHIVE.TAR.GZ", "C", "\\", "ARCHIVE.TAR", "GZ"},
        {"C:NAME.EXT", "C", "", "NAME", "EXT"},
        {"\\\\SERVER\\SHARE\\F", "", "\\\\SERVER\\SHARE", "F", ""},
        {"C:\\.profile", "C", "\\", "", "profile"},
    };
    for (const auto& c : cases) {
        Parts p = SplitOf(c.path);
        EXPECT_EQ(p.drive, c.drive) << c.path;
        EXPECT_EQ(p.dir, c.dir) << c.path;
        EXPECT_EQ(p.title, c.title) << c.path;
        EXPECT_EQ(p.ext, c.ext) << c.path;
    }
}

TEST(FilePathSplit, DirectoryNeedsADriveLetter)
{
    EXPECT_EQ(DirectoryOf("\\DIR\\FILE"), "");
    EXPECT_EQ(DirectoryOf("C:\\DIR\\FILE"), "C:\\DIR");
    EXPECT_EQ(DirectoryOf("C:\\FILE"), "C:\\");
    EXPECT_EQ(DirectoryOf("C:FILE"), "C:");
}

TEST(FilePathCompose, SetOperations)
{
    struct {
        const char* start;
        void (*op)(CFilePath&);
        const char* expected;
    } cases[] = {
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetDrive('D'); }, "D:\\X\\F.E"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetDir("SUB"); }, "C:\\SUB\\F.E"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetDirectory("D:\\APPS"); }, "D:\\APPS\\F.E"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetDirectory("\\APPS"); }, "\\APPS\\F.E"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetDirectory(""); }, "\\F.E"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetExtension(".TXT"); }, "C:\\X\\F.TXT"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetExtension("TXT"); }, "C:\\X\\F.TXT"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetExtension(""); }, "C:\\X\\F"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetFileName("NEW.DAT"); }, "C:\\X\\NEW.DAT"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetFileName(""); }, "C:\\X\\"},
        {"C:\\X\\F.E", [](CFilePath& p) { p.SetFileTitle("4AE16784"); }, "C:\\X\\4AE16784.E"},
        {"\\X\\F", [](CFilePath& p) { p.SetFileTitle("T"); }, "\\X\\T"},
        {"D:\\A\\B\\C.D", [](CFilePath& p) { p.SetRoot(); }, "D:\\"},
        {"\\A\\B\\C.D", [](CFilePath& p) { p.SetRoot(); }, "\\"},
        {"C:\\APPS\\A.EXE", [](CFilePath& p) { p.AppendDir("TOOLS"); }, "C:\\APPS\\TOOLS\\A.EXE"},
        {"C:\\APPS\\A.EXE", [](CFilePath& p) { p.AppendDir("\\TOOLS\\"); },
         "C:\\APPS\\TOOLS\\A.EXE"},
        {"C:\\APPS\\A.EXE", [](CFilePath& p) { p.AppendDir(""); }, "C:\\APPS\\A.EXE"},
        {"A.EXE", [](CFilePath& p) { p.AppendDir("SUB"); }, "\\SUB\\A.EXE"},
        {"C:\\A\\B\\F.TXT", [](CFilePath& p) { p.UpOneLevel(); }, "C:\\A\\F.TXT"},
        {"C:\\F.TXT", [](CFilePath& p) { p.UpOneLevel(); }, "C:\\F.TXT"},
    };
    for (const auto& c : cases) {
        CFilePath p(c.start);
        c.op(p);
        EXPECT_STREQ(p, c.expected) << "from " << c.start;
    }
}

TEST(FilePathCompose, LongPathsAreCutNotOverrun)
{
    CFilePath p("C:\\F.TXT");
    std::string longDir(400, 'd');
    p.SetDir(longDir.c_str());
    EXPECT_EQ(p.GetString().size(), CFilePath::kMaxPath);
    EXPECT_EQ(p.GetString().compare(0, 4, "C:\\d"), 0);
}

class FilePathDoubleByte : public ::testing::Test {
protected:
    void SetUp() override { Mbcs::SetCodePage(932); }
    void TearDown() override { Mbcs::SetCodePage(0); }
};

// In Shift-JIS, 0x95 0x5C is one character whose second byte is a backslash.
const char kDirWithTrailBackslash[] = "C:\\\x95\x5C\\F.TXT";

TEST_F(FilePathDoubleByte, TrailByteIsNoSeparator)
{
    Parts p = SplitOf(kDirWithTrailBackslash);
    EXPECT_EQ(p.drive, "C");
    EXPECT_EQ(p.dir, "\\\x95\x5C");
    EXPECT_EQ(p.title, "F");
    EXPECT_EQ(p.ext, "TXT");

    // A directory name ending in such a character keeps its trail byte.
    p = SplitOf("C:\\\x95\x5C");
    EXPECT_EQ(p.dir, "\\");
    EXPECT_EQ(p.title, "\x95\x5C");
}

TEST_F(FilePathDoubleByte, TrailByteIsNoDotOrColon)
{
    // 0x81 0x2E and 0x81 0x3A: trail bytes equal to '.' and ':'.
    Parts p = SplitOf("\x81.NAME");
    EXPECT_EQ(p.title, "\x81.NAME");
    EXPECT_EQ(p.ext, "");
    p = SplitOf("\x81:\\F");
    EXPECT_EQ(p.drive, "");
    EXPECT_EQ(p.dir, "\x81:");
}

TEST_F(FilePathDoubleByte, CompositionKeepsTheCharacter)
{
    CFilePath p(kDirWithTrailBackslash);
    p.UpOneLevel();
    EXPECT_STREQ(p, "C:\\F.TXT");

    CFilePath q("C:\\F.TXT");
    q.SetDir("\x95\x5C"); // ends in a trail byte, not a backslash: one is added
    EXPECT_STREQ(q, "C:\\\x95\x5C\\F.TXT");
}
