#pragma once
// mkarc's commands, apart from the program's entry point so that they can be
// driven in process (the fuzz target runs list and test on arbitrary files).

#include <string>
#include <vector>

// Runs the command the arguments name (the program's arguments without its
// own name); the exit status: 0 success, 1 damaged archive or I/O failure,
// 2 usage error. Messages go to standard output and standard error.
int RunMkarc(const std::vector<std::string>& args);
