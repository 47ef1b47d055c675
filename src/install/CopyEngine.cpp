#include "install/CopyEngine.h"

#include <windows.h>

#include <memory>

#include "app/SetupApp.h"
#include "archive/ArchiveFormat.h"
#include "archive/MultiFileMember.h"
#include "errors/XErrorReport.h"
#include "framework/Exception.h"
#include "framework/FileException.h"
#include "framework/Wnd.h"
#include "install/CopyProgress.h"
#include "install/ReplaceOnRestart.h"
#include "res/StringIds.h"
#include "support/FileVersion.h"

namespace {

const uint16_t kNotInstalled = 0xFFFF;
const int16_t kWindowsDestination = -2;
const int16_t kSystemDestination = -3;

struct ExceptionDeleter {
    void operator()(CException* e) const { e->Delete(); }
};

// The page shows the member only while it is being installed.
class CCurrentMemberScope {
public:
    CCurrentMemberScope(CCopyProgress& progress, CMultiFileMember& member) : m_progress(progress)
    {
        m_progress.SetCurrentMember(&member);
    }
    ~CCurrentMemberScope() { m_progress.SetCurrentMember(nullptr); }
    CCurrentMemberScope(const CCurrentMemberScope&) = delete;
    CCurrentMemberScope& operator=(const CCurrentMemberScope&) = delete;

private:
    CCopyProgress& m_progress;
};

// A file (not a directory) stands at path.
bool IsFile(const CFilePath& path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A replacement refused because another program holds the file open.
bool IsInUse(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

// Puts newFile in the place of old now (true) or, for an old file in use, at
// the next system start (false). When neither can be done, throws
// CFileException with the system's error, old as it was.
bool Replace(const CFilePath& old, const CFilePath& newFile)
{
    if (old.ReplaceWith(newFile))
        return true;
    const DWORD error = GetLastError();
    if (!IsInUse(error) || !ReplaceOnRestart(newFile, old))
        CFileException::ThrowOsError(static_cast<long>(error), old);
    return false;
}

} // namespace

CCopyEngine::CCopyEngine(CCopyProgress& progress) : m_progress(progress) {}

void CCopyEngine::InstallItem(CDisketteMultiFile& item)
{
    CSetupApp* app = GetSetupApp();
    CFilePath source;
    item.SetSite(this);
    try {
        item.SetBlockSize(CMultiFile::kBlockSize);
        if (!app->EnsureSourceFile(item.m_strSourceName.c_str(), item.m_nDiskette)) {
            app->m_bSuccess = FALSE;
            AfxThrowUserException();
        }
        source = *app->m_pSourcePath;
        source.SetFileName(item.m_strSourceName.c_str());
        if (item.m_nKind == CDisketteMultiFile::kindFile) {
            if (item.m_nDestination == -1) {
                m_progress.AddBytesDone(static_cast<uint32_t>(item.m_nSize));
            } else {
                item.OpenRead(source, true);
                InstallPlainFile(item, source);
            }
        } else if (item.m_nKind == CDisketteMultiFile::kindArchive) {
            item.OpenArchive(source);
            InstallArchive(item);
        }
    } catch (...) {
        std::unique_ptr<CException, ExceptionDeleter> e(AfxCurrentException());
        if (e->IsKindOf(RUNTIME_CLASS(CUserException))) {
            app->m_bSuccess = FALSE;
            m_progress.SetNotInstalled();
        } else {
            if (source.IsEmpty()) {
                source = *app->m_pSourcePath;
                source.SetFileName(item.m_strSourceName.c_str());
            }
            std::string name;
            source.GetFileName(name);
            if (!QueryXErrorContinue(IDS_CANNOT_INSTALL_FILES, e.get(), name.c_str()))
                app->m_bSuccess = FALSE;
        }
    }
    if (item.IsOpen()) {
        try {
            item.Close();
        } catch (...) {
            AfxCurrentException()->Delete();
        }
    }
    item.SetSite(nullptr);
}

void CCopyEngine::InstallPlainFile(CDisketteMultiFile& item, const CFilePath& source)
{
    CMultiFileMember member(&item);
    member.SetName(source);
    member.SetDestinationId(static_cast<uint16_t>(item.m_nDestination));
    member.SetMethod(ArchiveFormat::methodStored);
    member.SetMethodParameter(0);
    member.SetUnpackedSize(static_cast<uint32_t>(item.m_nSize));
    member.SetPackedSize(static_cast<uint32_t>(item.m_nSize));
    member.SetRecordCrc(0);
    member.FillFromFile();
    {
        CCurrentMemberScope current(m_progress, member);
        InstallFile(member);
    }
    m_progress.AddBytesDone(member.GetUnpackedSize());
}

void CCopyEngine::InstallArchive(CDisketteMultiFile& item)
{
    CSetupApp* app = GetSetupApp();
    std::unique_ptr<CMultiFileMember> member(item.CreateMember());
    // Reading with seek passes over what a member left unread: nothing after
    // an extraction, the whole packed data of a member not installed.
    while (item.ReadNextEntry(*member, true)) {
        m_progress.PumpBetweenMembers();
        if (!app->m_bSuccess)
            break;
        {
            CCurrentMemberScope current(m_progress, *member);
            InstallFile(*member);
        }
        m_progress.AddBytesDone(member->GetUnpackedSize());
    }
}

void CCopyEngine::InstallFile(CMultiFileMember& member)
{
    if (member.GetDestinationId() == kNotInstalled)
        return;
    CSetupApp* app = GetSetupApp();
    CFilePath directory(
        app->m_pDestinations->GetDestinationPath(static_cast<int16_t>(member.GetDestinationId())));
    directory.CreateDirectoryTreeOrThrow(true);

    std::string name;
    CFilePath(member.GetName()).GetFileName(name);
    CFilePath target(directory);
    target.SetFileName(name.c_str());
    CFilePath temporary(target);
    // With every name taken, the last one tried is another file's.
    if (!temporary.MakeUniqueName(true, 1000))
        AfxThrowFileException(CFileException::genericException, -1, target);
    member.SetTargetPath(target.GetString());
    member.SetDestination(temporary);

    try {
        member.GetArchive()->Extract(member);
    } catch (...) {
        // Whatever the extraction wrote is of no use to anyone.
        temporary.Delete(true);
        throw;
    }
    FinalizeFile(member);

    if (CShortcutTarget* shortcut = app->m_pTargets->FindTarget(name.c_str()))
        shortcut->m_commandPath = target;
}

void CCopyEngine::FinalizeFile(CMultiFileMember& member)
{
    const CFilePath target(member.GetTargetPath());
    const CFilePath temporary(member.GetDestination());
    std::string name;
    target.GetFileName(name);

    CFilePath existing;
    const int16_t destination = static_cast<int16_t>(member.GetDestinationId());
    if (destination == kWindowsDestination || destination == kSystemDestination) {
        for (CFilePath::Location location : {CFilePath::locWindows, CFilePath::locSystem}) {
            CFilePath candidate(location);
            candidate.SetFileName(name.c_str());
            if (IsFile(candidate)) {
                existing = candidate;
                break;
            }
        }
    } else if (IsFile(target)) {
        existing = target;
    }

    // A copy that cannot be put in place must not leave its temporary behind.
    try {
        if (existing.IsEmpty()) {
            if (!temporary.Rename(target))
                CFileException::ThrowOsError(static_cast<long>(GetLastError()), target);
            return;
        }
        // A copy is replaced only by a newer one: a shared file's copy in the
        // System directory too, before the one found in the Windows directory
        // moves over it.
        const bool moves = lstrcmpiA(existing, target) != 0;
        if (!IsNewerThan(temporary, existing) ||
            (moves && IsFile(target) && !IsNewerThan(temporary, target))) {
            temporary.Delete(true);
            return;
        }
        if (Replace(existing, temporary) && moves)
            Replace(target, existing);
    } catch (...) {
        temporary.Delete(true);
        throw;
    }
}

bool CCopyEngine::IsNewerThan(const char* newFile, const char* existing)
{
    CFileVersion newVersion;
    CFileVersion oldVersion;
    const bool newHasVersion = newVersion.Load(newFile);
    const bool oldHasVersion = oldVersion.Load(existing);
    if (oldHasVersion && !newHasVersion)
        return false;
    if (newHasVersion && !oldHasVersion)
        return true;
    if (newHasVersion && oldHasVersion)
        return newVersion.IsNewerThan(oldVersion);

    int64_t newTime = 0;
    int64_t oldTime = 0;
    CFilePath(newFile).GetModificationTime(newTime);
    CFilePath(existing).GetModificationTime(oldTime);
    return newTime > oldTime;
}

void CCopyEngine::OnItemBlockEnd(CDisketteMultiFile&)
{
    if (GetSetupApp()->m_bSuccess)
        m_progress.UpdateProgress();
}

std::string CCopyEngine::FindNextPiece(const char* name, int n)
{
    CSetupApp* app = GetSetupApp();
    // Once the user has confirmed the exit, no diskette is asked for.
    if (!app->m_bSuccess || !app->EnsureSourceFile(name, n)) {
        app->m_bSuccess = FALSE;
        AfxThrowUserException();
    }
    CFilePath piece(*app->m_pSourcePath);
    piece.SetFileName(name);
    return piece.GetString();
}
