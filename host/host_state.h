// HostState: the saver host's process-wide record (start-up, saver window,
// closing rules, password hooks). One instance, one thread, no locking.
#pragma once

#include <windows.h>

typedef BOOL(WINAPI* VerifyScreenSavePwdFn)(HWND);
typedef HIMC(WINAPI* ImmAssociateContextFn)(HWND, HIMC);

struct HostState {
    // Start-up
    HINSTANCE instance;  // the program's own module; the class, icon and dialog come from it
    int win9xFamily;     // 1 when the system reports the 9x platform

    // Saver window
    HWND saverWindow;
    int previewMode;         // 1 when the window is a preview child
    UINT autoPlayMessage;    // "QueryCancelAutoPlay" on the 9x family, else 0
    HMODULE immModule;       // IMM32.DLL when already loaded; no reference is held
    ImmAssociateContextFn immAssociateContext;
    HIMC savedInputContext;  // given back to the window at destruction
    BYTE lastAcLineStatus;   // 255: unknown
    POINT lastCursorPos;     // screen pixels; reference of the mouse-travel rule

    // Closing rules
    int closeApproved;             // set once the close may go ahead (9x family only)
    int checkingPassword;          // 1 while the system's verifier runs
    DWORD lastPasswordCheckTick;   // GetTickCount after the last verification; 0xFFFFFFFF: none

    // Password hooks
    HMODULE passwordModule;                     // PASSWORD.CPL while loaded
    VerifyScreenSavePwdFn verifyScreenSavePwd;  // not null exactly while a password is in force
};

extern HostState hostState;

// Largest cursor travel, in pixels (x distance plus y distance), that does not close the saver.
constexpr DWORD mouseTravelThreshold = 4;
