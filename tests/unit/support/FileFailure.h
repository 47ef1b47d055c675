#pragma once
// Patterned bytes and what a file exception carried, for the file classes' tests.

#include <cstdint>
#include <string>

#include "framework/FileException.h"

// n bytes of a fixed pseudo-random pattern (no runs that compress away).
inline std::string PatternBytes(size_t n, uint32_t seed = 1)
{
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 23);
    return s;
}

// What the CFileException f raised carried; cause -1 when it raised none.
struct FileFailure {
    int cause = -1;
    long osError = 0;
    std::string fileName;
};
template <typename F> FileFailure CatchFileException(F f)
{
    FileFailure failure;
    try {
        f();
    } catch (CFileException* e) {
        failure = {e->m_cause, e->m_lOsError, e->m_strFileName};
        e->Delete();
    }
    return failure;
}
