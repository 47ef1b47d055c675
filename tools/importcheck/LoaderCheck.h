#pragma once
// Whether Windows 95, NT 3.51 and NT 4.0 will load a binary: one line for each
// thing that keeps them from it, none when they will.

#include <string>
#include <vector>

#include "ImportAllowlist.h"
#include "PeImage.h"

// Problems found: the machine is not i386; the operating-system or subsystem
// version is not 4.0 (higher is refused by Windows 95, lower gets 3.x-style
// dialogs); a delay-load table, which is not checked; a DLL not on the list
// (the MinGW runtime DLLs among them), once per DLL; a function the list does
// not give for its DLL; an import by ordinal, as ordinals differ by system.
std::vector<std::string> FindLoaderProblems(const CPeImage& image,
                                            const CImportAllowlist& allowlist);
