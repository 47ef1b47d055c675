#include "framework/ResourceString.h"

std::string ResourceString(unsigned id)
{
    std::string text;
    LoadResourceString(id, text);
    return text;
}
