// The frame driver.
// NOTE: not built yet: until the renderer lands, every message goes straight
// on to the host's default handling and nothing is drawn.
#include "render/renderer_proc.h"

LRESULT CALLBACK rendererProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultSaverProc(window, message, wParam, lParam);
}
