#pragma once
// The entries directly in a directory, for `pack DIR`. One file per platform:
// the Windows tool lists with FindFirstFileA, as the systems it runs on have it
// (the C++ library's filesystem calls functions of Windows 2000 and later).

#include <string>
#include <vector>

struct DirectoryEntry {
    std::string path; // the directory's path joined with the entry's name
    bool directory;
};

// True when path names an existing directory.
bool IsDirectory(const std::string& path);
// The entries of dir, without "." and "..", in the order the system gives.
// False, with error set to the system's text, when dir cannot be read; entries
// then holds what was read before the failure.
bool ListDirectory(const std::string& dir, std::vector<DirectoryEntry>& entries,
                   std::string& error);
