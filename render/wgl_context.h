// The OpenGL rendering context on the saver window (WGL).
#pragma once

#include <windows.h>

// Creates the context on the window's device context with a double-buffered
// RGBA format with a stencil bit, makes it current, and restarts the frame
// clock. The window's class must have CS_OWNDC: the device context is
// released here and fetched again for every buffer swap.
HGLRC createGlContext(HWND window);
