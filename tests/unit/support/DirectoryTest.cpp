// The file-system side of CFilePath: special locations, tests for files and
// directories, directory trees, deletion, renaming and times, on real files
// under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/FileException.h"
#include "support/FilePath.h"
#include "unit/support/ScratchDirectory.h"

namespace {

bool IsDirectory(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string CurrentDirectory()
{
    char buffer[MAX_PATH + 1] = "";
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

std::string WithBackslash(std::string s)
{
    if (s.empty() || s.back() != '\\')
        s += '\\';
    return s;
}

} // namespace

TEST(FilePathLocation, SystemDirectoriesEndInABackslashWithoutFileName)
{
    char buffer[MAX_PATH + 1] = "";
    GetWindowsDirectoryA(buffer, MAX_PATH);
    EXPECT_EQ(CFilePath(CFilePath::locWindows).GetString(), WithBackslash(buffer));
    GetSystemDirectoryA(buffer, MAX_PATH);
    EXPECT_EQ(CFilePath(CFilePath::locSystem).GetString(), WithBackslash(buffer));
    GetTempPathA(MAX_PATH, buffer);
    EXPECT_EQ(CFilePath(CFilePath::locTemp).GetString(), WithBackslash(buffer));
    EXPECT_EQ(CFilePath(CFilePath::locCurrent).GetString(), WithBackslash(CurrentDirectory()));
}

TEST(FilePathLocation, ModuleIsTheProgramsDirectory)
{
    CFilePath module;
    module.SetModuleFileName();
    std::string name;
    module.GetFileName(name);
    EXPECT_EQ(name, "unit_support.exe");

    CFilePath directory(CFilePath::locModule);
    EXPECT_EQ(directory.GetString() + name, module.GetString());
    EXPECT_EQ(directory.GetString().back(), '\\');
}

TEST(FilePathLocation, UnknownLocationIsEmpty)
{
    EXPECT_TRUE(CFilePath(static_cast<CFilePath::Location>(5)).IsEmpty());
    EXPECT_TRUE(CFilePath(static_cast<CFilePath::Location>(-1)).IsEmpty());
}

TEST(FilePathExists, FindsFilesDirectoriesAndWildcardMatches)
{
    CScratchDirectory scratch;
    scratch.WriteFile("SAVER.SCR", "x");
    EXPECT_TRUE(CFilePath(scratch.File("SAVER.SCR")).Exists());
    EXPECT_TRUE(CFilePath(scratch.File("saver.scr")).Exists());
    EXPECT_TRUE(CFilePath(scratch.File("*.SCR")).Exists());
    EXPECT_FALSE(CFilePath(scratch.File("*.DLL")).Exists());
    EXPECT_FALSE(CFilePath(scratch.File("MISSING.SCR")).Exists());
    EXPECT_TRUE(CFilePath(scratch.Path().substr(0, scratch.Path().size() - 1)).Exists());
}

TEST(FilePathDirectory, DirectoryExistsLooksAtTheDirectoryPart)
{
    CScratchDirectory scratch;
    scratch.WriteFile("A.TXT", "x");
    EXPECT_TRUE(CFilePath(scratch.Path()).DirectoryExists());
    // The directory part of a file path is the file's directory, whether the
    // file exists or not.
    EXPECT_TRUE(CFilePath(scratch.File("NOFILE.TXT")).DirectoryExists());
    EXPECT_FALSE(CFilePath(scratch.File("MISSING\\")).DirectoryExists());
    // Without its trailing backslash a directory is a file inside its parent.
    EXPECT_TRUE(CFilePath(scratch.File("MISSING")).DirectoryExists());
}

TEST(FilePathDirectory, EnterDirectoryMovesToTheDirectoryPart)
{
    CScratchDirectory scratch;
    std::string before = CurrentDirectory();
    CreateDirectoryA(scratch.File("APPS").c_str(), nullptr);

    EXPECT_TRUE(CFilePath(scratch.File("APPS\\X.EXE")).EnterDirectory());
    EXPECT_EQ(WithBackslash(CurrentDirectory()), scratch.File("APPS\\"));
    EXPECT_TRUE(CFilePath(scratch.Path()).EnterDirectory());
    EXPECT_EQ(WithBackslash(CurrentDirectory()), scratch.Path());
    EXPECT_TRUE(CFilePath(scratch.File("APPS\\")).EnterDirectory());
    EXPECT_EQ(WithBackslash(CurrentDirectory()), scratch.File("APPS\\"));

    EXPECT_FALSE(CFilePath(scratch.File("MISSING\\")).EnterDirectory());
    EXPECT_EQ(WithBackslash(CurrentDirectory()), scratch.File("APPS\\"));
    // No drive letter: no directory to enter, even a real one.
    EXPECT_FALSE(CFilePath("\\windows\\").EnterDirectory());
    EXPECT_FALSE(CFilePath("APPS\\").EnterDirectory());
    SetCurrentDirectoryA(before.c_str());
}

TEST(FilePathDirectory, RemoveDirTakesOnlyEmptyDirectories)
{
    CScratchDirectory scratch;
    CreateDirectoryA(scratch.File("EMPTY").c_str(), nullptr);
    CreateDirectoryA(scratch.File("FULL").c_str(), nullptr);
    scratch.WriteFile("FULL\\F.TXT", "x");

    EXPECT_TRUE(CFilePath(scratch.File("EMPTY\\")).RemoveDir());
    EXPECT_FALSE(IsDirectory(scratch.File("EMPTY")));
    EXPECT_FALSE(CFilePath(scratch.File("FULL\\")).RemoveDir());
    EXPECT_TRUE(IsDirectory(scratch.File("FULL")));
    EXPECT_FALSE(CFilePath(scratch.File("GONE\\")).RemoveDir());
}

TEST(FilePathCreateTree, CreatesEveryMissingLevel)
{
    CScratchDirectory scratch;
    CFilePath deep(scratch.File("A\\B\\C\\D\\"));
    EXPECT_FALSE(deep.CreateDirectoryTree(false));
    EXPECT_FALSE(IsDirectory(scratch.File("A")));

    EXPECT_TRUE(deep.CreateDirectoryTree(true));
    EXPECT_TRUE(IsDirectory(scratch.File("A\\B\\C\\D")));
    // Existing: still true, with or without recursion.
    EXPECT_TRUE(deep.CreateDirectoryTree(true));
    EXPECT_TRUE(deep.CreateDirectoryTree(false));
    EXPECT_TRUE(CFilePath(scratch.File("A\\B")).CreateDirectoryTree(false));
}

TEST(FilePathCreateTree, TakesADirectoryWithoutTrailingBackslash)
{
    CScratchDirectory scratch;
    EXPECT_TRUE(CFilePath(scratch.File("X\\Y")).CreateDirectoryTree(true));
    EXPECT_TRUE(IsDirectory(scratch.File("X\\Y")));
}

TEST(FilePathCreateTree, FailsWhereAFileStandsInTheWay)
{
    CScratchDirectory scratch;
    scratch.WriteFile("APPS", "a file, not a directory");
    // Neither form may report the file as the directory asked for.
    EXPECT_FALSE(CFilePath(scratch.File("APPS")).CreateDirectoryTree(true));
    EXPECT_FALSE(CFilePath(scratch.File("APPS\\")).CreateDirectoryTree(true));
    EXPECT_FALSE(CFilePath(scratch.File("APPS\\SUB\\")).CreateDirectoryTree(true));
}

TEST(FilePathCreateTree, ABareNameThatCannotBeCreatedFails)
{
    EXPECT_FALSE(CFilePath("bad|name").CreateDirectoryTree(true));
    EXPECT_FALSE(CFilePath("bad|name").CreateDirectoryTree(false));
}

TEST(FilePathCreateTree, TheThrowingFormReportsTheFailure)
{
    CScratchDirectory scratch;
    scratch.WriteFile("APPS", "x");
    std::string path = scratch.File("APPS\\SUB\\");
    try {
        CFilePath(path).CreateDirectoryTreeOrThrow(true);
        FAIL() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_strFileName, path);
        EXPECT_NE(e->m_cause, CFileException::none);
        EXPECT_NE(e->m_lOsError, 0);
        e->Delete();
    }

    try {
        CFilePath("bad|name").CreateDirectoryTreeOrThrow(true);
        FAIL() << "no exception";
    } catch (CFileException* e) {
        // No C runtime call failed here: the cause comes from the system's error.
        EXPECT_EQ(e->m_cause, CFileException::OsErrorToException(e->m_lOsError));
        EXPECT_NE(e->m_lOsError, 0);
        e->Delete();
    }

    CFilePath good(scratch.File("NEW\\TREE\\"));
    EXPECT_NO_THROW(good.CreateDirectoryTreeOrThrow(true));
    EXPECT_TRUE(IsDirectory(scratch.File("NEW\\TREE")));
}

TEST(FilePathDelete, ReadOnlyFilesGoOnlyWhenCleared)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("LOCKED.DLL", "x");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);

    EXPECT_FALSE(CFilePath(file).Delete(false));
    EXPECT_TRUE(CFilePath(file).Exists());
    EXPECT_TRUE(CFilePath(file).Delete(true));
    EXPECT_FALSE(CFilePath(file).Exists());
    EXPECT_FALSE(CFilePath(file).Delete(true));
}

TEST(FilePathDelete, ClearingKeepsTheOtherAttributesWhenDeletionFails)
{
    CScratchDirectory scratch;
    CreateDirectoryA(scratch.File("DIR").c_str(), nullptr);
    std::string directory = scratch.File("DIR");
    SetFileAttributesA(directory.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    // A directory is no file: DeleteFileA refuses it, after the read-only flag went.
    EXPECT_FALSE(CFilePath(directory).Delete(true));
    DWORD attributes = GetFileAttributesA(directory.c_str());
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(FilePathRename, MovesTheFileButKeepsItsText)
{
    CScratchDirectory scratch;
    std::string from = scratch.WriteFile("1A2B3C4D.SCR", "new");
    std::string to = scratch.File("SAVER.SCR");
    CFilePath path(from);
    EXPECT_TRUE(path.Rename(to.c_str()));
    EXPECT_EQ(path.GetString(), from);
    EXPECT_FALSE(CFilePath(from).Exists());
    EXPECT_TRUE(CFilePath(to).Exists());

    // An existing target is never overwritten.
    std::string other = scratch.WriteFile("OTHER.SCR", "other");
    EXPECT_FALSE(CFilePath(other).Rename(to.c_str()));
    EXPECT_TRUE(CFilePath(other).Exists());
}

TEST(FilePathTime, GivesTheModificationTimeInSecondsSince1970)
{
    CScratchDirectory scratch;
    std::string file = scratch.WriteFile("OLD.TXT", "x");
    // 1 January 2000, 00:00:00 UTC.
    const int64_t kSeconds = 946684800;
    uint64_t ticks = (static_cast<uint64_t>(kSeconds) + 11644473600ull) * 10000000ull;
    FILETIME time = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    SetFileTime(handle, nullptr, nullptr, &time);
    CloseHandle(handle);

    int64_t seconds = -1;
    EXPECT_TRUE(CFilePath(file).GetModificationTime(seconds));
    EXPECT_EQ(seconds, kSeconds);

    seconds = -1;
    EXPECT_FALSE(CFilePath(scratch.File("MISSING.TXT")).GetModificationTime(seconds));
    EXPECT_EQ(seconds, 0);
}
