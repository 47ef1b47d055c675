// The entry point of the diskette programs, in place of MinGW's crt2.o, whose
// copy in Debian's packages is built for the Pentium Pro. The build compiles
// this file into a crt2.o of its own that the compiler driver takes instead
// (cmake/I486Runtime.cmake); crtbegin.o and crtend.o stay the compiler's.
// It does what these programs need of the C runtime's start: relocations of
// auto-imported data, the x87 control word, global constructors (whose
// destructors __main registers with atexit), WinMain's arguments, and exit;
// and, as crt2.o, it gives the programs atexit.
// The programs use no thread-local data of the image and no argc/argv.

#include <windows.h>

#include <cstdlib>

extern "C" {
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
void __main();                    // libgcc/libmingw32: runs the global constructors
void _pei386_runtime_relocator(); // PseudoRelocations_win.cpp
void __cdecl _fpreset();          // libmingw32: the x87 in 64-bit precision
void __cdecl __set_app_type(int); // msvcrt: run-time errors in a message box
_onexit_t __cdecl _onexit(_onexit_t function);
int __cdecl atexit(void (*function)());
void WinMainCRTStartup();
}

// Functions to call at exit (the destructors of static objects among them), in
// msvcrt's table, which its exit() runs.
int atexit(void (*function)())
{
    return _onexit(reinterpret_cast<_onexit_t>(function)) != nullptr ? 0 : -1;
}

namespace {

// The command line after the program's name and the blanks that follow it.
// Lead and trail bytes of double-byte characters are above the blank and the
// quote, so a name in a double-byte code page is skipped whole.
LPSTR CommandLineArguments()
{
    LPSTR p = GetCommandLineA();
    if (*p == '"') {
        for (++p; *p != '\0' && *p != '"'; ++p) {
        }
        if (*p == '"')
            ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ')
            ++p;
    }
    while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    return p;
}

int ShowCommand()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

} // namespace

// The system calls the entry with the stack aligned to 4 bytes only.
__attribute__((force_align_arg_pointer)) void WinMainCRTStartup()
{
    const int guiApplication = 2;
    __set_app_type(guiApplication);
    _pei386_runtime_relocator();
    _fpreset();
    __main();
    std::exit(WinMain(GetModuleHandleA(nullptr), nullptr, CommandLineArguments(), ShowCommand()));
}
