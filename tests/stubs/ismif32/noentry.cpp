// A library named like the status library but without its entry: the caller
// must find no InstallStatusMIF and report nothing.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI SomethingElse()
{
    return TRUE;
}
