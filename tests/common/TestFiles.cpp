#include "TestFiles.h"

#include <fstream>
#include <random>
#include <sstream>

std::string ReadWholeFile(const std::string& path)
{
    std::ostringstream text;
    std::ifstream in(path, std::ios::binary);
    if (in)
        text << in.rdbuf();
    return text.str();
}

bool WriteWholeFile(const std::string& path, const std::string& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    return static_cast<bool>(out);
}

std::string Payload(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::string data(n, '\0');
    for (char& ch : data)
        ch = static_cast<char>(random() & 0xFF);
    return data;
}
