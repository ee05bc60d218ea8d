// The frame driver: the renderer's stage of the saver window's messages.
// Window creation sets up the GL context and the scene and starts the frame
// timer, every timer message draws and presents a frame, destruction
// releases the context. Everything else goes on to defaultSaverProc.
#pragma once

#include <windows.h>

LRESULT CALLBACK rendererProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The host's last stage of the message chain (host/default_saver_proc.cpp).
LRESULT CALLBACK defaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
