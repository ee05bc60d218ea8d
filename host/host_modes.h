// The operations of the host that the mode dispatcher and the saver window
// call; each lives in the file its comment names.
#pragma once

#include <windows.h>

// host_main.cpp: the mode dispatcher; its result is the process exit code.
int WINAPI hostMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandTail, int showCommand);

// host_entry.cpp: finds the command tail, runs hostMain, ends the process.
[[noreturn]] void hostEntry();

// configuration_mode.cpp
BOOL dialogClassHook(HINSTANCE instance);
int runConfigurationDialog(HWND owner);

// saver_window.cpp: full screen with a null parent, else a preview child.
int runSaverWindow(HWND parent);

// password_hooks.cpp (9x family only)
void setScreenSaverRunning(int running);
void loadPasswordModule();
void unloadPasswordModule();
void changePassword(HWND owner);
