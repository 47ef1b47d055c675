#pragma once
// Whether a stream is an interactive terminal (progress lines go only there).

#include <cstdio>

bool IsTerminal(FILE* stream);
