// MinGW's pseudo-relocations, in place of its helper from libmingw32 (built for
// the Pentium Pro): where code refers to data that a DLL exports (auto-import),
// the linker records the place, and the value is added at start-up once the
// imports are bound. The list (version 2) is usually empty for these programs.

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" {
extern char __RUNTIME_PSEUDO_RELOC_LIST__[];
extern char __RUNTIME_PSEUDO_RELOC_LIST_END__[];
extern IMAGE_DOS_HEADER __ImageBase;
void _pei386_runtime_relocator();
}

namespace {

struct RelocationHeader {
    DWORD magic1; // 0
    DWORD magic2; // 0
    DWORD version;
};

struct Relocation {
    DWORD symbol; // RVA of the import's address slot
    DWORD target; // RVA of the place to fix
    DWORD flags;  // low byte: the place's width in bits (8, 16, 32)
};

void Write(void* place, const void* value, size_t size)
{
    DWORD old;
    if (!VirtualProtect(place, size, PAGE_EXECUTE_READWRITE, &old))
        std::abort();
    std::memcpy(place, value, size);
    VirtualProtect(place, size, old, &old);
}

// Adds delta to the field of type T at place.
template <typename T> void AddDelta(char* place, intptr_t delta)
{
    T value;
    std::memcpy(&value, place, sizeof value);
    const T fixed = static_cast<T>(value + delta);
    Write(place, &fixed, sizeof fixed);
}

} // namespace

void _pei386_runtime_relocator()
{
    char* const base = reinterpret_cast<char*>(&__ImageBase);
    char* begin = __RUNTIME_PSEUDO_RELOC_LIST__;
    char* const end = __RUNTIME_PSEUDO_RELOC_LIST_END__;
    if (end - begin < static_cast<ptrdiff_t>(sizeof(RelocationHeader)))
        return;
    const RelocationHeader* header = reinterpret_cast<const RelocationHeader*>(begin);
    if (header->magic1 != 0 || header->magic2 != 0 || header->version != 1)
        std::abort();
    for (const Relocation* r = reinterpret_cast<const Relocation*>(header + 1);
         reinterpret_cast<const char*>(r + 1) <= end; ++r) {
        char* const place = base + r->target;
        const char* const slot = base + r->symbol;
        const intptr_t delta = static_cast<intptr_t>(*reinterpret_cast<const uintptr_t*>(slot)) -
                               reinterpret_cast<intptr_t>(slot);
        switch (r->flags & 0xff) {
        case 8:
            AddDelta<int8_t>(place, delta);
            break;
        case 16:
            AddDelta<int16_t>(place, delta);
            break;
        case 32:
            AddDelta<int32_t>(place, delta);
            break;
        default:
            std::abort();
        }
    }
}
