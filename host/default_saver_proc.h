// The default saver message handling that ends every saver window message
// chain; the renderer hands it what it does not handle itself.
#pragma once

#include <windows.h>

LRESULT CALLBACK defaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks the system's password verifier (9x family) whether a close may go ahead.
BOOL verifyBeforeClose(HWND window);
