// The configuration dialog (template 2003) that edits the settings record.
#pragma once

#include <windows.h>

constexpr int configDialogId = 2003;

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
