#pragma once
// File helpers shared by the tests, native and Windows alike.
#include <cstddef>
#include <string>

// The whole file, or an empty string when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Replaces the file with data; false when it cannot be written whole.
bool WriteWholeFile(const std::string& path, const std::string& data);
// n pseudo-random bytes from seed, which zlib cannot shrink much.
std::string Payload(size_t n, unsigned seed);
