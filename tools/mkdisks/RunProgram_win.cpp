#include "RunProgram.h"

// The floppy images are made with mtools, which the Windows build does not
// run: the caller says so.
int RunProgram(const std::vector<std::string>&, const std::string&)
{
    return -1;
}
