// mkarc: makes, lists, tests and extracts the setup program's archives
// (Commands.cpp).
#include <string>
#include <vector>

#include "Commands.h"

int main(int argc, char** argv)
{
    return RunMkarc(std::vector<std::string>(argv + 1, argv + argc));
}
