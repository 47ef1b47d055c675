// The table in which the DLL's start-up code keeps the library's exit
// functions (the destructors of its static objects), run when the library is
// unloaded. The MinGW runtime's own table guards itself with msvcrt.dll's
// _lock and _unlock, which the msvcrt.dll of Windows 95 and NT 4.0 does not
// export, so the library would not load there. A DLL's start-up and
// shutdown run under the system's loader lock, one thread at a time: this
// table needs no lock of its own. Defining the three functions here keeps
// the runtime's version out of the link.
#include <cstdlib>

namespace {

typedef void(__cdecl* ExitFunction)(void);

struct OnExitTable {
    ExitFunction* first;
    ExitFunction* last;
    ExitFunction* end;
};

} // namespace

extern "C" {

int __cdecl _initialize_onexit_table(OnExitTable* table)
{
    if (table == nullptr)
        return -1;
    table->first = table->last = table->end = nullptr;
    return 0;
}

int __cdecl _register_onexit_function(OnExitTable* table, int(__cdecl* function)(void))
{
    if (table == nullptr)
        return -1;
    if (table->last == table->end) {
        const size_t used = static_cast<size_t>(table->last - table->first);
        const size_t capacity = used < 4 ? 8 : used * 2;
        void* grown = std::realloc(table->first, capacity * sizeof(ExitFunction));
        if (grown == nullptr)
            return -1;
        table->first = static_cast<ExitFunction*>(grown);
        table->last = table->first + used;
        table->end = table->first + capacity;
    }
    *table->last++ = reinterpret_cast<ExitFunction>(function);
    return 0;
}

int __cdecl _execute_onexit_table(OnExitTable* table)
{
    if (table == nullptr)
        return -1;
    ExitFunction* first = table->first;
    ExitFunction* last = table->last;
    table->first = table->last = table->end = nullptr;
    while (last != first)
        (*--last)();
    std::free(first);
    return 0;
}

} // extern "C"
