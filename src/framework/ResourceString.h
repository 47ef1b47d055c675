#pragma once
// String-table access.

#include <string>

// Loads string-table entry id into out. Returns false, and leaves out empty,
// when the entry does not exist.
bool LoadResourceString(unsigned id, std::string& out);

// The entry's text; empty when it does not exist.
std::string ResourceString(unsigned id);
