// Directory trees and deletion through CFilePath, on real files under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/FilePath.h"
#include "common/ScratchDirectory.h"
#include "unit/support/FileFailure.h"

// A deep path created in full, with or without its last backslash, is the
// end-to-end row install's.
TEST(FilePathCreateTree, FailsOnABareNameOrAFileInTheWayAndSaysWhy)
{
    CScratchDirectory scratch;
    scratch.WriteFile("FILE", "x");
    // A file in the way is never reported as the directory asked for.
    for (std::string path : {scratch.File("FILE"), scratch.File("FILE\\"),
                             scratch.File("FILE\\SUB\\"), std::string("bad|name")}) {
        EXPECT_FALSE(CFilePath(path).CreateDirectoryTree(true)) << path;
        const FileFailure failure =
            CatchFileException([&] { CFilePath(path).CreateDirectoryTreeOrThrow(true); });
        EXPECT_EQ(failure.fileName, path);
        EXPECT_GT(failure.cause, CFileException::none) << path; // -1: nothing thrown
        EXPECT_NE(failure.osError, 0) << path;
    }
    EXPECT_NO_THROW(CFilePath(scratch.File("NEW\\TREE\\")).CreateDirectoryTreeOrThrow(true));
}

TEST(FilePathDelete, ReadOnlyFilesGoOnlyWhenCleared)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("LOCKED.DLL", "x");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CFilePath(file).Delete(false));
    EXPECT_TRUE(CFilePath(file).Exists());
    EXPECT_TRUE(CFilePath(file).Delete(true));
    EXPECT_FALSE(CFilePath(file).Exists());
}

// Exists answers what a directory search for the path text finds, whichever
// way it asks the system.
TEST(FilePathExists, AnswersAsADirectorySearchWould)
{
    CScratchDirectory scratch;
    scratch.WriteFile("FILE.TXT", "x");
    CreateDirectoryA(scratch.File("SUB").c_str(), nullptr);
    for (const std::string name :
         {"FILE.TXT", "file.txt", "SUB", "SUB\\", "MISSING.TXT", "NODIR\\FILE.TXT", "FILE.TXT\\X",
          "*.TXT", "*.DOC", "F?LE.TXT"}) {
        const std::string path = scratch.File(name);
        WIN32_FIND_DATAA data;
        const HANDLE find = FindFirstFileA(path.c_str(), &data);
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
        EXPECT_EQ(find != INVALID_HANDLE_VALUE, CFilePath(path).Exists()) << path;
    }
    EXPECT_TRUE(CFilePath(scratch.File("FILE.TXT")).Exists());
    EXPECT_FALSE(CFilePath(scratch.File("MISSING.TXT")).Exists());
}

TEST(FilePathModificationTime, IsTheEntrysLastWriteInSecondsSince1970)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("DATED.TXT", "x");
    // 1 June 1997, 12:00:00 UTC: 867758400 seconds after 1970.
    const ULONGLONG units = (867758400ULL + 11644473600ULL) * 10000000ULL;
    FILETIME written = {static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    BOOL set = SetFileTime(handle, nullptr, nullptr, &written);
    CloseHandle(handle);
    ASSERT_TRUE(set);

    int64_t seconds = -1;
    EXPECT_TRUE(CFilePath(file).GetModificationTime(seconds));
    EXPECT_EQ(867758400, seconds);
    // A missing file, and a pattern that a file matches, are not examined.
    seconds = -1;
    EXPECT_FALSE(CFilePath(scratch.File("MISSING.TXT")).GetModificationTime(seconds));
    EXPECT_EQ(0, seconds);
    seconds = -1;
    EXPECT_FALSE(CFilePath(scratch.File("DATED.*")).GetModificationTime(seconds));
    EXPECT_EQ(0, seconds);
}
