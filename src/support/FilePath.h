#pragma once
// CFilePath: the value type that holds every path the program handles, taken
// apart and put together only through these operations.
//
// A path is an optional drive letter and colon, a directory of components
// separated by backslashes ('/' is accepted too when splitting), a file title
// and an optional extension after the last dot. Text is ANSI; a trail byte of a
// double-byte character is never taken for '\', '/', '.' or ':'.
//
// Limits: a composed path is at most 260 characters (longer results are cut at
// a character boundary); a split component at most 255.

#include <cstdint>
#include <string>

class CRuntimeRandom;

class CFilePath {
public:
    // Longest composed path, in characters.
    static constexpr size_t kMaxPath = 259;
    // Longest component produced by a split, in characters.
    static constexpr size_t kMaxComponent = 255;

    // Starting points for the constructor from a system location.
    enum Location { locCurrent = 0, locWindows = 1, locSystem = 2, locModule = 3, locTemp = 4 };

    CFilePath() = default;
    CFilePath(const char* path)
        : m_strPath(path != nullptr ? path : "") {}         // NOLINT: implicit by design
    CFilePath(const std::string& path) : m_strPath(path) {} // NOLINT
    // The directory of a system location, ending in a backslash; empty for an
    // unknown location.
    explicit CFilePath(Location location);

    operator const char*() const { return m_strPath.c_str(); } // NOLINT
    const std::string& GetString() const { return m_strPath; }
    bool IsEmpty() const { return m_strPath.empty(); }

    // Decomposition; each output may be null.
    void Split(std::string* drive, std::string* dir, std::string* title, std::string* ext) const;
    // The drive letter without its colon; empty when there is none.
    void GetDrive(std::string& drive) const;
    // The directory without its trailing backslash (the root stays "\").
    void GetDir(std::string& dir) const;
    // Drive, colon and directory; empty when the path has no drive letter.
    void GetDirectory(std::string& directory) const;
    // Title and extension.
    void GetFileName(std::string& name) const;
    void GetFileTitle(std::string& title) const;
    void GetExtension(std::string& ext) const;
    // The absolute form the system gives for the path.
    void GetFullPath(std::string& full) const;

    // Composition: each rebuilds the whole path with MakePath.
    void MakePath(const char* drive, const char* dir, const char* title, const char* ext);
    void SetDrive(char letter);
    void SetDir(const char* dir);
    void SetDirectory(const char* dirpath);
    void SetFileTitle(const char* title);
    void SetExtension(const char* ext);
    void SetFileName(const char* name);
    void AppendDir(const char* sub);
    // Drops the directory's last component; last (when given) receives it.
    void UpOneLevel(std::string* last = nullptr);
    void SetRoot();
    void Empty() { m_strPath.clear(); }

    // Gives the path a new random eight-digit title (drive, directory and
    // extension kept) until no file has that name, or at once when mustBeNew is
    // false. False after `attempts` names were all taken (or attempts is 0);
    // the path then holds the last name tried.
    bool MakeUniqueName(bool mustBeNew, unsigned attempts);
    // The same with names drawn from the given generator.
    bool MakeUniqueName(bool mustBeNew, unsigned attempts, CRuntimeRandom& random);

    // File-system side (one implementation per platform).

    // True when something matches the path (a file, a directory, a wildcard match).
    bool Exists() const;
    // Path of the program's own module.
    void SetModuleFileName();

    // Deletes the file. With clearReadOnly, an existing file loses its read-only
    // attribute first (its other attributes kept). True when it was deleted.
    bool Delete(bool clearReadOnly) const;
    // Moves the file to newName; this path keeps its old text.
    bool Rename(const char* newName) const;
    // Puts newFile in place of the file at this path (which may be missing),
    // read-only or not. The old file survives any failure: it is either still
    // there as it was or wholly replaced. On failure the system's error is
    // left in GetLastError (a file in use gives a sharing or access error).
    bool ReplaceWith(const char* newFile) const;

    // Directories and times: Windows only. A directory is
    // held with its trailing backslash (C:\WINDOWS\); without it, the last
    // component is taken for a file inside its parent. Each returns false on
    // failure, with GetLastError and errno left as the failed call set them.

    // True when the directory part holds at least one entry ("*.*" matches).
    bool DirectoryExists() const;
    // Makes the directory part (GetDirectory) the process's current directory,
    // where it stays. False for a path without a drive letter.
    bool EnterDirectory() const;
    // Removes the directory part (it must be empty).
    bool RemoveDir() const;
    // True when the directory exists afterwards, with or without a trailing
    // backslash. With recursive set, missing parents are created first, up to
    // the drive. A bare name without any backslash is never created.
    bool CreateDirectoryTree(bool recursive) const;
    // The same; on failure throws CFileException with the cause taken from the C
    // runtime's error number (or, when the runtime set none, the system's) and
    // the system error code.
    void CreateDirectoryTreeOrThrow(bool recursive) const;
    // Last-modification time in seconds since 1 January 1970; false and 0 when
    // the file cannot be examined.
    bool GetModificationTime(int64_t& seconds) const;

private:
    std::string m_strPath;
};
