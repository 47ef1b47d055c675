// Directory trees and deletion through CFilePath, on real files under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/FileException.h"
#include "support/FilePath.h"
#include "common/ScratchDirectory.h"

TEST(FilePathCreateTree, CreatesEveryMissingLevel)
{
    CScratchDirectory scratch;
    CFilePath deep(scratch.File("A\\B\\C\\D\\"));
    EXPECT_FALSE(deep.CreateDirectoryTree(false));
    EXPECT_TRUE(deep.CreateDirectoryTree(true));
    EXPECT_TRUE(std::filesystem::is_directory(scratch.File("A\\B\\C\\D")));
    EXPECT_TRUE(deep.CreateDirectoryTree(false)); // existing
    EXPECT_TRUE(CFilePath(scratch.File("X\\Y")).CreateDirectoryTree(true));
    EXPECT_TRUE(std::filesystem::is_directory(scratch.File("X\\Y")));
}

TEST(FilePathCreateTree, FailsOnABareNameOrAFileInTheWayAndSaysWhy)
{
    CScratchDirectory scratch;
    scratch.WriteFile("FILE", "x");
    // A file in the way is never reported as the directory asked for.
    for (std::string path : {scratch.File("FILE"), scratch.File("FILE\\"),
                             scratch.File("FILE\\SUB\\"), std::string("bad|name")}) {
        EXPECT_FALSE(CFilePath(path).CreateDirectoryTree(true)) << path;
        try {
            CFilePath(path).CreateDirectoryTreeOrThrow(true);
            ADD_FAILURE() << "no exception for " << path;
        } catch (CFileException* e) {
            EXPECT_EQ(e->m_strFileName, path);
            EXPECT_NE(e->m_cause, CFileException::none) << path;
            EXPECT_NE(e->m_lOsError, 0) << path;
            e->Delete();
        }
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
