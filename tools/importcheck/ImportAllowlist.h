#pragma once
// The functions that every target system's DLLs export, read from a text file:
//   [KERNEL32.dll]    a system DLL (names compared without regard to case)
//   CloseHandle       a function it exports (case matters)
//   # ...             a comment, on a line of its own or after a name

#include <map>
#include <set>
#include <stdexcept>
#include <string>

class CImportAllowlist {
public:
    // Throws std::invalid_argument naming the line it cannot take.
    explicit CImportAllowlist(const std::string& text);

    bool HasDll(const std::string& dll) const;
    bool Allows(const std::string& dll, const std::string& function) const;

private:
    std::map<std::string, std::set<std::string>> m_functions; // by lower-case DLL
};
