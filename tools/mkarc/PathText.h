#pragma once
// Path text for the tool, which runs on Linux and Windows alike: both
// separators are honoured when splitting, '/' is used when joining.

#include <string>

namespace PathText {

// The part after the last separator.
std::string FileName(const std::string& path);
// The part up to and without the last separator; "" when there is none.
std::string Directory(const std::string& path);
// dir/name, or name alone when dir is "".
std::string Join(const std::string& dir, const std::string& name);
// The number that the last two characters of a directory's last component
// give ("DISK01" gives 1), or 0 when they are not two digits.
int DisketteNumber(const std::string& dir);
// The directory with its last two characters replaced by n as "%02d".
std::string WithDisketteNumber(const std::string& dir, int n);
// True when a file or directory of that name exists.
bool Exists(const std::string& path);

} // namespace PathText
