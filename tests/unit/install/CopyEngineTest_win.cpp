// The copy engine's rules that stand alone: which copy of a file is newer,
// what happens to the existing copy, where diskette files are found, and the
// Insert Diskette prompt.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <memory>
#include <string>

#include "app/SetupApp.h"
#include "archive/MultiFileMember.h"
#include "common/GuiDriver.h"
#include "common/TestApp.h"
#include "install/CopyEngine.h"
#include "install/CopyProgress.h"
#include "install/DisketteSource.h"
#include "install/InsertDisketteDlg.h"
#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroup.h"
#include "unit/archive/ArchiveBytes.h"
#include "res/resource.h"
#include "common/ScratchDirectory.h"
#include "support/StringHelpers.h"

namespace {

struct CNoProgress : CCopyProgress {
    void SetCurrentMember(CMultiFileMember*) override {}
    void AddBytesDone(uint32_t) override {}
    void UpdateProgress() override {}
    void PumpBetweenMembers() override {}
    void SetNotInstalled() override {}
};

// A test library with a version resource, built beside the support tests.
std::string VersionDll(const char* name)
{
    return CFilePath(CFilePath::locModule).GetString() + "..\\support\\" + name;
}

void SetTime(const std::string& file, int year)
{
    SYSTEMTIME when = {static_cast<WORD>(year), 1, 0, 1, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&when, &time);
    HANDLE handle =
        CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(handle, nullptr, nullptr, &time);
    CloseHandle(handle);
}

// Puts a new copy (a temporary file written now) against the target, as the
// engine does after an extraction; returns the temporary file's path.
std::string Finalize(const std::string& temporary, const std::string& target,
                     int16_t destination = 0)
{
    CNoProgress progress;
    CCopyEngine engine(progress);
    CMultiFileMember member;
    member.SetDestinationId(static_cast<uint16_t>(destination));
    member.SetTargetPath(target);
    member.SetDestination(temporary.c_str());
    engine.FinalizeFile(member);
    return temporary;
}

} // namespace

// How two versions compare is FileVersionTest's; here a file without a
// version never replaces one that has it, however new.
TEST(CopyEngine, AVersionResourceDecidesBeforeTheModificationTime)
{
    CScratchDirectory scratch;
    const std::string plain = scratch.WriteFile("plain.dll", "no version");
    SetTime(plain, 2030);
    EXPECT_FALSE(CCopyEngine::IsNewerThan(plain.c_str(), VersionDll("version_4001.dll").c_str()));
    EXPECT_TRUE(CCopyEngine::IsNewerThan(VersionDll("version_4001.dll").c_str(), plain.c_str()));
}

TEST(CopyEngine, WithoutVersionsOnlyALaterTimeReplaces)
{
    CScratchDirectory scratch;
    const std::string a = scratch.WriteFile("a.txt", "a"), b = scratch.WriteFile("b.txt", "b");
    SetTime(a, 1997);
    SetTime(b, 1997);
    EXPECT_FALSE(CCopyEngine::IsNewerThan(a.c_str(), b.c_str()));
    SetTime(a, 1998);
    EXPECT_TRUE(CCopyEngine::IsNewerThan(a.c_str(), b.c_str()));
    EXPECT_FALSE(CCopyEngine::IsNewerThan(b.c_str(), a.c_str()));
}

TEST(CopyEngine, ANewerCopyReplacesAReadOnlyOldOneAndAnOlderOneIsDiscarded)
{
    CScratchDirectory scratch;
    const std::string target = scratch.WriteFile("SAVER.SCR", "old");
    SetTime(target, 1990);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string newer = Finalize(scratch.WriteFile("1a2b3c4d.SCR", "new"), target);
    EXPECT_EQ(ReadWholeFile(target), "new");
    EXPECT_FALSE(CFilePath(newer).Exists());

    SetTime(target, 2000);
    const std::string older = scratch.WriteFile("5e6f7a8b.SCR", "older");
    SetTime(older, 1999);
    Finalize(older, target);
    EXPECT_EQ(ReadWholeFile(target), "new");
    EXPECT_FALSE(CFilePath(older).Exists());
    // A directory of the target's name is the end-to-end row target-blocked.
}

// A shared file found in the Windows directory for the System directory
// leaves the Windows directory and lands, new, in the System directory.
TEST(CopyEngine, ASystemFileFoundInTheWindowsDirectoryMovesToTheSystemDirectory)
{
    const std::string name = "velmo-" + std::to_string(GetCurrentProcessId()) + ".dll";
    const std::string inWindows = CFilePath(CFilePath::locWindows).GetString() + name;
    const std::string inSystem = CFilePath(CFilePath::locSystem).GetString() + name;
    std::ofstream(inWindows, std::ios::binary) << "old";
    SetTime(inWindows, 1990);
    CScratchDirectory scratch;
    Finalize(scratch.WriteFile("4d3c2b1a.dll", "new"), inSystem, -3);
    EXPECT_FALSE(CFilePath(inWindows).Exists());
    EXPECT_EQ(ReadWholeFile(inSystem), "new");
    DeleteFileA(inWindows.c_str());
    DeleteFileA(inSystem.c_str());
}

// A member that runs on past its piece: the piece is closed before the next
// one is asked for, whose name is the piece's in lower case by the system's
// rules (an accented capital included), its last character raised by one.
TEST(DisketteMultiFile, ClosesThePieceBeforeAskingForTheNext)
{
    struct CSite : CDisketteMultiFile::CSite {
        void OnItemBlockEnd(CDisketteMultiFile&) override {}
        std::string FindNextPiece(const char* name, int n) override
        {
            asked = std::string(name) + "#" + std::to_string(n) + (item->IsOpen() ? " open" : "");
            return scratch->File(name);
        }
        CDisketteMultiFile* item;
        CScratchDirectory* scratch;
        std::string asked;
    };
    CScratchDirectory scratch;
    ::Entry big = Stored("BIG.DAT", std::string(9000, 'b'));
    big.continued = 1;
    scratch.WriteFile("V\xC4LMO.AR1", kHeader + big.Record() + big.packed.substr(0, 5000));
    scratch.WriteFile("v\xE4lmo.ar2", kHeader + big.packed.substr(5000));
    CFileGroup group;
    CDisketteMultiFile item(CDisketteMultiFile::Entry{"V\xC4LMO.AR1", 0, 1, 1, 1, 0, ""}, group);
    CSite site;
    site.item = &item;
    site.scratch = &scratch;
    item.SetSite(&site);
    item.OpenArchive(scratch.File("V\xC4LMO.AR1").c_str());
    std::unique_ptr<CMultiFileMember> member(item.CreateMember());
    ASSERT_TRUE(item.ReadNextEntry(*member, true));
    member->SetDestination(scratch.File("BIG.DAT").c_str());
    item.Extract(*member);
    EXPECT_EQ(site.asked, "v\xE4lmo.ar2#2");
    EXPECT_EQ(ReadWholeFile(scratch.File("BIG.DAT")), big.packed);
}

// Every temporary name taken: the member is refused before anything is
// written, and the file with the last name tried is left alone.
TEST(CopyEngine, WithEveryTemporaryNameTakenNothingIsWritten)
{
    CSetupApp app;
    CScratchDirectory scratch;
    app.m_pDestinations = std::make_unique<CDestinationMap>();
    app.m_pDestinations->SetDestinationPath(0, scratch.Path().c_str());
    CRuntimeRandom names = RuntimeRandom();
    std::string last;
    for (int i = 0; i < 1000; ++i)
        last = scratch.WriteFile(MakeRandomName(8, names) + ".SCR", "the user's");
    CMultiFile archive;
    CMultiFileMember member(&archive);
    member.SetName("SAVER.SCR");
    member.SetDestinationId(0);
    CNoProgress progress;
    CCopyEngine engine(progress);
    EXPECT_EQ(Outcome([&] { engine.InstallFile(member); }), "CFileException 1");
    EXPECT_EQ(ReadWholeFile(last), "the user's");
}

TEST(DisketteSource, NumberedDirectoriesEndInTwoDigitsOtherThan00)
{
    EXPECT_EQ(CDisketteSource::NumberedDirectory("\\SETUP\\DISK01", 3), "\\SETUP\\DISK03");
    EXPECT_EQ(CDisketteSource::NumberedDirectory("\\SETUP\\DISK01", 12), "\\SETUP\\DISK12");
    EXPECT_EQ(CDisketteSource::NumberedDirectory("\\SETUP\\DISK00", 3), "");
    EXPECT_EQ(CDisketteSource::NumberedDirectory("\\SETUP", 3), "");
    EXPECT_EQ(CDisketteSource::NumberedDirectory("\\", 3), "");
}

// Asked for by label, OK refused while the file is missing: the end-to-end
// row drive-a. Here the prompt without a label, and without a drive.
TEST(InsertDiskette, AsksByNumberAndAcceptsOKOnlyOnceTheFileIsThere)
{
    CTestApp app;
    CScratchDirectory scratch;
    const CFilePath file(scratch.File("saver.ard"));
    std::string request, stillThere;
    CWindowWatcher watcher("Insert Diskette", [&](HWND dialog) {
        request = ItemText(dialog, IDC_DISKETTE_REQUEST);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        stillThere = IsWindow(dialog) && IsWindowVisible(dialog) ? "refused" : "ended";
        scratch.WriteFile("saver.ard", "piece");
        PressButton(dialog, IDOK);
        if (IsWindowVisible(dialog))
            PressButton(dialog, IDCANCEL);
    });
    const auto exists = [](const CFilePath& f) { return f.Exists(); };
    CInsertDisketteDlg numbered(file, 2, "", exists);
    EXPECT_EQ(numbered.DoModal(), IDOK);
    std::string drive;
    file.GetDrive(drive);
    EXPECT_EQ(request, "Please insert diskette 2 in drive " + drive + ":");
    EXPECT_EQ(stillThere, "refused");

    // A source without a drive letter (a share): the request names no drive,
    // and OK looks for the file where it is, not at the current drive's root.
    DeleteFileA(file.GetString().c_str());
    SetCurrentDirectoryA(scratch.Path().c_str());
    CInsertDisketteDlg share(CFilePath(file.GetString().substr(2).c_str()), 2, "", exists);
    EXPECT_EQ(share.DoModal(), IDOK);
    EXPECT_EQ(request, "Please insert diskette 2.");
    EXPECT_EQ(stillThere, "refused");
}

// Every look at the source drive, the prompt's OK included, is made with the
// system's critical-error boxes off, and the mode is restored afterwards.
TEST(InsertDiskette, TheSourceDriveIsProbedWithoutTheSystemsNoDiskBox)
{
    struct CRecordingSource : CDisketteSource {
        using CDisketteSource::CDisketteSource;
        bool IsThere(const CFilePath& file) const override
        {
            const UINT mode = SetErrorMode(0);
            SetErrorMode(mode);
            looks += mode & SEM_FAILCRITICALERRORS ? "quiet " : "box ";
            return CDisketteSource::IsThere(file);
        }
        mutable std::string looks;
    };
    CTestApp app;
    CScratchDirectory scratch;
    CreateDirectoryA(scratch.File("DISK01").c_str(), nullptr);
    CFilePath sourceDir(scratch.File("DISK01\\"));
    CDisketteArray diskettes;
    CRecordingSource source(sourceDir, diskettes);
    CWindowWatcher watcher("Insert Diskette", [&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        scratch.WriteFile("DISK01\\F.TXT", "f");
        PressButton(dialog, IDOK);
    });
    const UINT before = SetErrorMode(0);
    EXPECT_TRUE(source.EnsureSourceFile("F.TXT", 2));
    EXPECT_EQ(SetErrorMode(before), 0u);
    // The source directory, DISK02 beside it, then OK twice.
    EXPECT_EQ(source.looks, "quiet quiet quiet quiet ");
}
