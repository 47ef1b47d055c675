// The wininit.ini side of replacement at restart under Wine, and what happens
// when the file is in use by another program. (The delayed move itself and
// the system's processing of wininit.ini are tested at a restart, in a Wine
// prefix of their own: restart-test.)
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "install/IniEntryAdder.h"
#include "install/ReplaceOnRestart.h"
#include "unit/support/ScratchFiles.h"

namespace {

std::vector<std::string> Files(const CScratchFiles& scratch)
{
    std::vector<std::string> names;
    const std::filesystem::path dir = std::filesystem::path(scratch.Path("x")).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
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

const char kOld[] = "[rename]\r\nNUL=C:\\OLD.TXT\r\n";

} // namespace

TEST(AddRenameEntry, WritesDestinationEqualsSource)
{
    CScratchFiles scratch;
    const std::string wininit = scratch.Path("wininit.ini");
    EXPECT_TRUE(AddRenameEntry(wininit, "C:\\APP\\1A2B3C4D.SCR", "C:\\APP\\SAVER.SCR"));
    EXPECT_TRUE(AddRenameEntry(wininit, "C:\\APP\\5E6F7A8B.DLL", "C:\\APP\\SAVER.DLL"));
    EXPECT_EQ(CScratchFiles::Read(wininit),
              "[rename]\r\nC:\\APP\\SAVER.SCR=C:\\APP\\1A2B3C4D.SCR\r\n"
              "C:\\APP\\SAVER.DLL=C:\\APP\\5E6F7A8B.DLL\r\n");
}

TEST(AddRenameEntry, AFailedReplacementLeavesTheOldFileAndNoCopy)
{
    // Readable, but not to be replaced while the other handle is open.
    CScratchFiles scratch;
    const std::string wininit = scratch.Write("wininit.ini", kOld);
    {
        COpenElsewhere inUse(wininit, FILE_SHARE_READ | FILE_SHARE_WRITE);
        EXPECT_FALSE(AddRenameEntry(wininit, "C:\\NEW.TXT", "C:\\OLD.TXT"));
    }
    EXPECT_EQ(CScratchFiles::Read(wininit), kOld);
    EXPECT_EQ(Files(scratch), std::vector<std::string>{"wininit.ini"});
}

TEST(AddRenameEntry, AFileThatCannotBeReadIsNotTakenForAnEmptyOne)
{
    CScratchFiles scratch;
    const std::string wininit = scratch.Write("wininit.ini", kOld);
    FileFailure failure;
    {
        COpenElsewhere locked(wininit, 0);
        failure =
            CatchFileException([&] { AddRenameEntry(wininit, "C:\\NEW.TXT", "C:\\OLD.TXT"); });
    }
    EXPECT_EQ(failure.cause, CFileException::sharingViolation);
    EXPECT_EQ(CScratchFiles::Read(wininit), kOld);
    EXPECT_EQ(Files(scratch), std::vector<std::string>{"wininit.ini"});
}

namespace {

// Keeps the old file as wininit.bak.
class CBackupAdder : public CIniEntryAdder {
public:
    using CIniEntryAdder::CIniEntryAdder;
    void MakeBackupName() override
    {
        m_backupPath = m_path;
        m_backupPath.SetExtension("bak");
    }
};

} // namespace

// Also holds the edited copy open, without leave to move it, from the moment
// the backup name is chosen: the copy cannot take the file's place.
class CBlockedAdder : public CBackupAdder {
public:
    using CBackupAdder::CBackupAdder;
    ~CBlockedAdder() override { CloseHandle(m_hCopy); }
    void MakeBackupName() override
    {
        CBackupAdder::MakeBackupName();
        m_hCopy = CreateFileA(m_outputPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    }
    HANDLE m_hCopy = INVALID_HANDLE_VALUE;
};

TEST(AddRenameEntry, AFailedReplacementAfterABackupPutsTheOldFileBack)
{
    CScratchFiles scratch;
    const std::string wininit = scratch.Write("wininit.ini", kOld);
    {
        CBlockedAdder adder(wininit);
        EXPECT_FALSE(adder.AddEntry("rename", "C:\\OLD.TXT", "C:\\NEW.TXT"));
        EXPECT_NE(adder.m_hCopy, INVALID_HANDLE_VALUE);
    }
    EXPECT_EQ(CScratchFiles::Read(wininit), kOld);
    EXPECT_FALSE(std::filesystem::exists(scratch.Path("wininit.bak")));
}

TEST(AddRenameEntry, AnOutputThatCannotBeCreatedThrowsAndChangesNothing)
{
    CScratchFiles scratch;
    const FileFailure failure = CatchFileException([&] {
        AddRenameEntry(scratch.Path("nowhere\\wininit.ini"), "C:\\NEW.TXT", "C:\\OLD.TXT");
    });
    EXPECT_EQ(failure.cause, CFileException::badPath);
    EXPECT_TRUE(Files(scratch).empty());
}
