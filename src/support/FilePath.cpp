#include "support/FilePath.h"

#include "support/Mbcs.h"
#include "support/StringHelpers.h"

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string Component(const std::string& s, size_t begin, size_t end)
{
    std::string part = s.substr(begin, end - begin);
    part.resize(Mbcs::FitLength(part, CFilePath::kMaxComponent));
    return part;
}

const char* OrEmpty(const char* s)
{
    return s != nullptr ? s : "";
}

}  // namespace

void CFilePath::Split(std::string* drive, std::string* dir, std::string* title,
                      std::string* ext) const
{
    const std::string& s = m_strPath;
    size_t start = 0;
    bool hasDrive = s.size() >= 2 && s[1] == ':' && !Mbcs::IsLeadByte(static_cast<unsigned char>(s[0]));
    if (hasDrive)
        start = 2;

    // One forward scan finds the last separator and the last dot, stepping over
    // double-byte characters whole.
    size_t lastSep = std::string::npos;
    size_t lastDot = std::string::npos;
    for (size_t i = start; i < s.size(); i = Mbcs::NextChar(s, i)) {
        if (IsSeparator(s[i]))
            lastSep = i;
        else if (s[i] == '.')
            lastDot = i;
    }
    size_t nameStart = lastSep != std::string::npos ? lastSep + 1 : start;
    bool hasExt = lastDot != std::string::npos && lastDot >= nameStart;

    if (drive != nullptr)
        *drive = hasDrive ? s.substr(0, 1) : std::string();
    if (dir != nullptr) {
        *dir = Component(s, start, nameStart);
        // The root stays a lone separator.
        if (dir->size() > 1 && (Mbcs::EndsWithChar(*dir, '\\') || Mbcs::EndsWithChar(*dir, '/')))
            dir->pop_back();
    }
    if (title != nullptr)
        *title = Component(s, nameStart, hasExt ? lastDot : s.size());
    if (ext != nullptr)
        *ext = hasExt ? Component(s, lastDot + 1, s.size()) : std::string();
}

void CFilePath::GetDrive(std::string& drive) const
{
    Split(&drive, nullptr, nullptr, nullptr);
}

void CFilePath::GetDir(std::string& dir) const
{
    Split(nullptr, &dir, nullptr, nullptr);
}

void CFilePath::GetDirectory(std::string& directory) const
{
    std::string dir;
    Split(&directory, &dir, nullptr, nullptr);
    if (!directory.empty())
        directory += ":" + dir;
}

void CFilePath::GetFileName(std::string& name) const
{
    std::string ext;
    Split(nullptr, nullptr, &name, &ext);
    if (!ext.empty())
        name += "." + ext;
}

void CFilePath::GetFileTitle(std::string& title) const
{
    Split(nullptr, nullptr, &title, nullptr);
}

void CFilePath::GetExtension(std::string& ext) const
{
    Split(nullptr, nullptr, nullptr, &ext);
}

void CFilePath::MakePath(const char* drive, const char* dir, const char* title, const char* ext)
{
    std::string path;
    drive = OrEmpty(drive);
    if (*drive != '\0') {
        path += drive[0];
        path += ':';
    }
    std::string directory(OrEmpty(dir));
    if (!directory.empty()) {
        path += directory;
        if (!Mbcs::EndsWithChar(directory, '\\') && !Mbcs::EndsWithChar(directory, '/'))
            path += '\\';
    }
    path += OrEmpty(title);
    ext = OrEmpty(ext);
    if (*ext != '\0') {
        if (*ext != '.')
            path += '.';
        path += ext;
    }
    // The path is composed in a buffer of 260 characters: a longer result is cut.
    path.resize(Mbcs::FitLength(path, kMaxPath));
    m_strPath = path;
}

void CFilePath::SetDrive(char letter)
{
    std::string dir, title, ext;
    Split(nullptr, &dir, &title, &ext);
    const char drive[2] = {letter, '\0'};
    MakePath(drive, dir.c_str(), title.c_str(), ext.c_str());
}

void CFilePath::SetDir(const char* newDir)
{
    std::string drive, title, ext;
    Split(&drive, nullptr, &title, &ext);
    std::string dir(OrEmpty(newDir));
    AddLeadingBackslash(dir);
    AddTrailingBackslash(dir);
    MakePath(drive.c_str(), dir.c_str(), title.c_str(), ext.c_str());
}

void CFilePath::SetDirectory(const char* dirpath)
{
    std::string title, ext;
    Split(nullptr, nullptr, &title, &ext);
    std::string dir(OrEmpty(dirpath));
    AddTrailingBackslash(dir);
    MakePath(nullptr, dir.c_str(), title.c_str(), ext.c_str());
}

void CFilePath::SetFileTitle(const char* title)
{
    std::string drive, dir, ext;
    Split(&drive, &dir, nullptr, &ext);
    MakePath(drive.c_str(), dir.c_str(), title, ext.c_str());
}

void CFilePath::SetExtension(const char* ext)
{
    std::string drive, dir, title;
    Split(&drive, &dir, &title, nullptr);
    MakePath(drive.c_str(), dir.c_str(), title.c_str(), ext);
}

void CFilePath::SetFileName(const char* name)
{
    std::string drive, dir;
    Split(&drive, &dir, nullptr, nullptr);
    MakePath(drive.c_str(), dir.c_str(), name, nullptr);
}

void CFilePath::AppendDir(const char* subDir)
{
    std::string sub(OrEmpty(subDir));
    if (sub.empty())
        return;
    StripLeadingBackslash(sub);
    AddTrailingBackslash(sub);
    std::string drive, dir, title, ext;
    Split(&drive, &dir, &title, &ext);
    AddTrailingBackslash(dir);
    MakePath(drive.c_str(), (dir + sub).c_str(), title.c_str(), ext.c_str());
}

void CFilePath::UpOneLevel(std::string* last)
{
    std::string dir;
    GetDir(dir);
    StripTrailingBackslash(dir);
    if (dir.empty())
        return;
    size_t lastSep = std::string::npos;
    for (size_t i = 0; i < dir.size(); i = Mbcs::NextChar(dir, i)) {
        if (IsSeparator(dir[i]))
            lastSep = i;
    }
    if (last != nullptr) {
        *last = lastSep != std::string::npos ? dir.substr(lastSep) : dir;
        StripLeadingBackslash(*last);
    }
    if (lastSep != std::string::npos)
        dir.resize(lastSep);
    SetDir(dir.c_str());
}

void CFilePath::SetRoot()
{
    SetDir("");
    SetFileName("");
}

bool CFilePath::MakeUniqueName(bool mustBeNew, unsigned attempts)
{
    return MakeUniqueName(mustBeNew, attempts, RuntimeRandom());
}

bool CFilePath::MakeUniqueName(bool mustBeNew, unsigned attempts, CRuntimeRandom& random)
{
    while (attempts > 0) {
        SetFileTitle(MakeRandomName(8, random).c_str());
        if (!mustBeNew || !Exists())
            return true;
        --attempts;
    }
    return false;
}
