#include "install/DisketteSource.h"

#include <windows.h>

#include <cstdio>

#include "install/InsertDisketteDlg.h"
#include "profile/DisketteArray.h"

namespace {

// The system's critical-error boxes stay off while the object lives.
class CCriticalErrorsOff {
public:
    CCriticalErrorsOff() : m_nPrevious(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~CCriticalErrorsOff() { SetErrorMode(m_nPrevious); }
    CCriticalErrorsOff(const CCriticalErrorsOff&) = delete;
    CCriticalErrorsOff& operator=(const CCriticalErrorsOff&) = delete;

private:
    UINT m_nPrevious;
};

} // namespace

CDisketteSource::CDisketteSource(CFilePath& source, const CDisketteArray& diskettes)
    : m_source(source), m_diskettes(diskettes)
{
}

CDisketteSource::~CDisketteSource() = default;

std::string CDisketteSource::NumberedDirectory(const std::string& dir, int n)
{
    if (dir.size() <= 2)
        return std::string();
    const char tens = dir[dir.size() - 2];
    const char ones = dir[dir.size() - 1];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9' || (tens == '0' && ones == '0'))
        return std::string();
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", n);
    return dir.substr(0, dir.size() - 2) + digits;
}

bool CDisketteSource::EnsureSourceFile(const char* name, int n)
{
    CFilePath path(m_source);
    path.SetFileName(name);
    if (Probe(path))
        return true;

    std::string dir;
    path.GetDir(dir);
    const std::string numbered = NumberedDirectory(dir, n);
    if (!numbered.empty()) {
        std::string drive;
        path.GetDrive(drive);
        CFilePath sibling;
        sibling.MakePath(drive.c_str(), numbered.c_str(), nullptr, nullptr);
        CFilePath candidate(sibling);
        candidate.SetFileName(name);
        if (Probe(candidate)) {
            m_source = sibling;
            return true;
        }
    }
    return PromptForDiskette(path, n);
}

bool CDisketteSource::PromptForDiskette(const CFilePath& path, int n)
{
    const char* label = m_diskettes.GetDisketteLabel(n);
    CInsertDisketteDlg dialog(path, n, label != nullptr ? label : "",
                              [this](const CFilePath& file) { return Probe(file); });
    return dialog.DoModal() == IDOK;
}

bool CDisketteSource::Probe(const CFilePath& file) const
{
    CCriticalErrorsOff quiet;
    return IsThere(file);
}

bool CDisketteSource::IsThere(const CFilePath& file) const
{
    return file.Exists();
}
