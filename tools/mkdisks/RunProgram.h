#pragma once
// Runs a program with arguments (no shell, so labels and names need no
// quoting) and one extra environment variable; its output goes to this
// program's. The exit status, or -1 when it could not be started.

#include <string>
#include <vector>

int RunProgram(const std::vector<std::string>& arguments, const std::string& environment);
