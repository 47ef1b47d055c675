#pragma once
// Message boxes of the program: they carry the application's title (string
// 57344) and are modal over the window the user is working in.

#include <windows.h>

// MessageBoxA with the application's title; returns the button pressed (IDYES, ...).
int AfxMessageBox(const char* text, UINT type = MB_OK);
// The same with string-table entry textId as the text.
int AfxMessageBox(UINT textId, UINT type);
