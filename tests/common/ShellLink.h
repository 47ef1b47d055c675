#pragma once
// A shell link read back through the shell's own IShellLinkA.
#include <string>

// The link's fields, '|'-separated: path, arguments, description, icon path
// and index, working directory, show command; "cannot load FILE" when the
// link cannot be read.
std::string ReadShortcut(const std::string& file);
