// The wininit.ini side of replacement at restart under Wine: what happens when
// the file cannot be replaced or read, and a subclass that keeps a backup.
// (The entry's order, the delayed move and the system's processing of
// wininit.ini are tested at a restart, in a Wine prefix of their own:
// restart-test.)
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "install/IniEntryAdder.h"
#include "install/ReplaceOnRestart.h"
#include "common/ScratchDirectory.h"
#include "unit/support/FileFailure.h"

namespace {

// The number of files in the scratch directory.
long FileCount(const CScratchDirectory& scratch)
{
    const std::filesystem::path dir = std::filesystem::path(scratch.File("x")).parent_path();
    return static_cast<long>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

// Another program's handle on a file, with the given sharing.
class COpenElsewhere {
public:
    COpenElsewhere(const std::string& path, DWORD share)
        : m_hFile(
              CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr))
    {
        EXPECT_NE(m_hFile, INVALID_HANDLE_VALUE);
    }
    ~COpenElsewhere() { CloseHandle(m_hFile); }

private:
    HANDLE m_hFile;
};

// Keeps the old file as wininit.bak when asked to; when blocking, also holds
// the edited copy open, without leave to move it, from the moment the backup
// name is chosen: the copy cannot take the file's place.
class CTestAdder : public CIniEntryAdder {
public:
    CTestAdder(const std::string& path, bool backup, bool block)
        : CIniEntryAdder(path.c_str()), m_bBackup(backup), m_bBlock(block)
    {
    }
    ~CTestAdder() override { CloseHandle(m_hCopy); }
    void MakeBackupName() override
    {
        CIniEntryAdder::MakeBackupName();
        if (m_bBackup)
            m_backupPath.SetExtension("bak");
        if (m_bBlock)
            m_hCopy = CreateFileA(m_outputPath, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    }

private:
    bool m_bBackup, m_bBlock;
    HANDLE m_hCopy = INVALID_HANDLE_VALUE;
};

const char kOld[] = "[rename]\r\nNUL=C:\\OLD.TXT\r\n";

} // namespace

TEST(AddRenameEntry, AFailedReplacementLeavesTheOldFile)
{
    // Readable, but not to be replaced while the other handle is open.
    CScratchDirectory scratch;
    const std::string wininit = scratch.WriteFile("wininit.ini", kOld);
    {
        COpenElsewhere inUse(wininit, FILE_SHARE_READ | FILE_SHARE_WRITE);
        EXPECT_FALSE(AddRenameEntry(wininit, "C:\\NEW.TXT", "C:\\OLD.TXT"));
    }
    EXPECT_EQ(ReadWholeFile(wininit), kOld);
    EXPECT_EQ(FileCount(scratch), 1) << "no copy left behind";

    // Moved aside as the backup, the old file comes back when the copy cannot
    // take its place; once it can, the backup holds the old file.
    EXPECT_FALSE(CTestAdder(wininit, true, true).AddEntry("rename", "C:\\OLD.TXT", "C:\\NEW.TXT"));
    EXPECT_EQ(ReadWholeFile(wininit), kOld);
    EXPECT_FALSE(std::filesystem::exists(scratch.File("wininit.bak")));
    scratch.WriteFile("wininit.bak", "an older backup");
    EXPECT_TRUE(CTestAdder(wininit, true, false).AddEntry("rename", "C", "D"));
    EXPECT_EQ(ReadWholeFile(wininit), std::string(kOld) + "C=D\r\n");
    EXPECT_EQ(ReadWholeFile(scratch.File("wininit.bak")), kOld);
}

TEST(AddRenameEntry, AFileThatCannotBeReadOrCreatedThrowsAndChangesNothing)
{
    CScratchDirectory scratch;
    const std::string wininit = scratch.WriteFile("wininit.ini", kOld);
    FileFailure failure;
    {
        // Not taken for an empty file.
        COpenElsewhere locked(wininit, 0);
        failure =
            CatchFileException([&] { AddRenameEntry(wininit, "C:\\NEW.TXT", "C:\\OLD.TXT"); });
    }
    EXPECT_EQ(failure.cause, CFileException::sharingViolation);
    EXPECT_EQ(ReadWholeFile(wininit), kOld);
    failure = CatchFileException([&] {
        AddRenameEntry(scratch.File("nowhere\\wininit.ini"), "C:\\NEW.TXT", "C:\\OLD.TXT");
    });
    EXPECT_EQ(failure.cause, CFileException::badPath);
    EXPECT_EQ(FileCount(scratch), 1);
}

// Section names fold case as the system does, beyond A to Z.
TEST(AddRenameEntry, SectionNamesMatchWhateverTheCaseOfTheirLetters)
{
    CScratchDirectory scratch;
    const std::string ini = scratch.WriteFile("wininit.ini", "[\xC4NDERN]\r\nA=B\r\n[next]\r\n");
    EXPECT_TRUE(CIniEntryAdder(ini.c_str()).AddEntry("\xE4ndern", "C", "D"));
    EXPECT_EQ(ReadWholeFile(ini), "[\xC4NDERN]\r\nA=B\r\nC=D\r\n[next]\r\n");
}
