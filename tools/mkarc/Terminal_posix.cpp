#include <unistd.h>

#include "Terminal.h"

bool IsTerminal(FILE* stream)
{
    return isatty(fileno(stream)) != 0;
}
