#include "PathText.h"

#include <cstdio>

#include "framework/StdioFile.h"

namespace PathText {

std::string FileName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Directory(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Join(const std::string& dir, const std::string& name)
{
    return dir.empty() ? name : dir + "/" + name;
}

int DisketteNumber(const std::string& dir)
{
    const std::string last = FileName(dir);
    if (last.size() <= 2)
        return 0;
    const char tens = last[last.size() - 2];
    const char units = last[last.size() - 1];
    if (tens < '0' || tens > '9' || units < '0' || units > '9')
        return 0;
    return (tens - '0') * 10 + (units - '0');
}

std::string WithDisketteNumber(const std::string& dir, int n)
{
    char digits[16];
    snprintf(digits, sizeof digits, "%02d", n);
    return dir.substr(0, dir.size() - 2) + digits;
}

bool Exists(const std::string& path)
{
    CFileStatus status;
    return CStdioFile::GetStatus(path.c_str(), status);
}

} // namespace PathText
