#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "RunProgram.h"

int RunProgram(const std::vector<std::string>& arguments, const std::string& environment)
{
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (!environment.empty())
            putenv(const_cast<char*>(environment.c_str()));
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status) == 127 ? -1 : WEXITSTATUS(status);
}
