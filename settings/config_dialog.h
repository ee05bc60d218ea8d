// The configuration dialog (template 2003) that edits the settings record.
#pragma once

#include <windows.h>

constexpr int configDialogId = 2003;

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the system colour picker for colour index 0..3 (backrgb, backshapesrgb,
// foreshapesrgb, interrgb), preselecting that colour; true with the colour
// when the user picked one.
bool pickColour(HWND owner, int index, COLORREF* picked);
