// snprintf and vsnprintf of the diskette programs, through msvcrt's own
// formatter. The C++ library makes MinGW's headers route the printf family to
// MinGW's formatter (libmingwex, built for the Pentium Pro, and 40 KB); these
// definitions take its place. The programs' formats are those msvcrt has known
// since Windows 95 (%d, %u, %x, %s, %c with flags, width and precision).
// Unlike msvcrt's _vsnprintf, the result is always terminated and the count is
// the full length, as C99 has it.

#include <cstdarg>
#include <cstddef>
#include <cstdlib>

extern "C" {
int __cdecl _vsnprintf(char* buffer, size_t size, const char* format, va_list args);
int __cdecl __mingw_vsnprintf(char* buffer, size_t size, const char* format, va_list args);
}

namespace {

// The full length of the formatted text: formatted into ever larger buffers
// until it fits.
int FormattedLength(const char* format, va_list args)
{
    for (size_t size = 1024; size <= 0x1000000; size *= 2) {
        char* buffer = static_cast<char*>(std::malloc(size));
        if (buffer == nullptr)
            return -1;
        va_list copy;
        va_copy(copy, args);
        const int length = _vsnprintf(buffer, size, format, copy);
        va_end(copy);
        std::free(buffer);
        if (length >= 0 && static_cast<size_t>(length) < size)
            return length;
    }
    return -1;
}

} // namespace

int __mingw_vsnprintf(char* buffer, size_t size, const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int length = _vsnprintf(buffer, size, format, copy);
    va_end(copy);
    if (length >= 0 && static_cast<size_t>(length) < size)
        return length;
    if (size > 0)
        buffer[size - 1] = '\0';
    return FormattedLength(format, args);
}
