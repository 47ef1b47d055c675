// SETUP.EXE: the program's entry and its one application object.
#include <windows.h>

#include "app/SetupApp.h"

CSetupApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    return AfxWinMain(hInstance, nCmdShow);
}
