#pragma once
// A fault in mkdisks's input, reported as "FILE:LINE: message" (or
// "FILE: message" when no line applies) with exit status 1.

#include <string>

struct CInputError {
    std::string file;
    int line; // 0: the file as a whole
    std::string message;

    std::string Text() const
    {
        return line > 0 ? file + ":" + std::to_string(line) + ": " + message
                        : file + ": " + message;
    }
};
