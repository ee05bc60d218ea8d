// The last stage of the saver window's messages: the rules that end the
// full-screen saver (input, mouse travel, deactivation, power events), the
// password check before closing on the 9x family, the hidden cursor, and the
// answer to the system's AutoPlay query. Everything else gets DefWindowProc.
#include "host/default_saver_proc.h"

#include "host/host_state.h"

#include <cstdlib>

namespace {

// The saver's private message: run the system's password verifier.
constexpr UINT verifyPasswordMessage = WM_APP;

// Milliseconds after a verification during which another close is dropped.
constexpr DWORD passwordCheckPause = 200;

void postClose(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
}

BYTE currentAcLineStatus()
{
    SYSTEM_POWER_STATUS power;
    return GetSystemPowerStatus(&power) ? power.ACLineStatus : 255;
}

void applyPowerBroadcast(HWND window, WPARAM event, LPARAM lParam)
{
    switch (event) {
    case PBT_APMRESUMECRITICAL:
    case PBT_APMRESUMESUSPEND:
    case PBT_APMRESUMESTANDBY:
    case PBT_APMRESUMEAUTOMATIC:
        if (!(lParam & PBTF_APMRESUMEFROMFAILURE))
            postClose(window);
        break;
    case PBT_APMPOWERSTATUSCHANGE: {
        // Only a change between mains and battery ends the saver.
        BYTE status = currentAcLineStatus();
        bool changed = status != hostState.lastAcLineStatus;
        hostState.lastAcLineStatus = status;
        if (changed)
            postClose(window);
        break;
    }
    default:  // queries, suspend and standby, low battery, OEM events, and anything unknown
        postClose(window);
        break;
    }
}

void applyMouseTravel(HWND window)
{
    POINT now;
    GetCursorPos(&now);
    DWORD travel = static_cast<DWORD>(labs(now.x - hostState.lastCursorPos.x) + labs(now.y - hostState.lastCursorPos.y));
    // The reference moves only when a close is posted, so small moves add up.
    if (travel > mouseTravelThreshold) {
        postClose(window);
        hostState.lastCursorPos = now;
    }
}

// Returns a result when the closing rules answer the message themselves.
bool applyClosingRules(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        postClose(window);
        break;
    case WM_MOUSEMOVE:
        applyMouseTravel(window);
        break;
    case WM_ACTIVATEAPP:
        if (wParam == 0)
            postClose(window);
        break;
    case WM_POWER:
        if (wParam == PWR_CRITICALRESUME)
            postClose(window);
        break;
    case WM_POWERBROADCAST:
        applyPowerBroadcast(window, wParam, lParam);
        break;
    case WM_SHOWWINDOW:
        if (wParam)
            SetCursor(nullptr);
        break;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        result = TRUE;
        return true;
    }
    return false;
}

}  // namespace

BOOL verifyBeforeClose(HWND window)
{
    if (hostState.checkingPassword || hostState.closeApproved)
        return FALSE;
    if (!hostState.verifyScreenSavePwd) {
        hostState.closeApproved = 1;
        return TRUE;
    }
    DWORD now = GetTickCount();
    if (hostState.lastPasswordCheckTick != 0xFFFFFFFFu && now - hostState.lastPasswordCheckTick < passwordCheckPause)
        return hostState.closeApproved;

    hostState.checkingPassword = 1;
    // Two frames may be waiting; drop them so the dialog comes up at once.
    MSG pending;
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    // The system's password dialog runs inside this call; the window keeps
    // receiving messages meanwhile (checkingPassword turns the rules off).
    hostState.closeApproved = SendMessageA(window, verifyPasswordMessage, 0, 0) ? 1 : 0;
    hostState.checkingPassword = 0;
    if (!hostState.closeApproved)
        SetCursor(nullptr);
    hostState.lastPasswordCheckTick = GetTickCount();
    return hostState.closeApproved;
}

LRESULT CALLBACK defaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hostState.previewMode && !hostState.closeApproved) {
        if (message == WM_CLOSE) {
            if (hostState.win9xFamily && !verifyBeforeClose(window)) {
                GetCursorPos(&hostState.lastCursorPos);  // the next close needs new input
                return 0;
            }
        } else if (message == verifyPasswordMessage) {
            if (hostState.win9xFamily)
                return hostState.verifyScreenSavePwd ? hostState.verifyScreenSavePwd(window) : 1;
        } else if (!hostState.checkingPassword) {
            LRESULT result = 0;
            if (applyClosingRules(window, message, wParam, lParam, result))
                return result;
        }
    }

    // The AutoPlay query (9x family only): cancel AutoPlay while a password guards the desktop.
    if (hostState.autoPlayMessage && message == hostState.autoPlayMessage) {
        postClose(window);
        return hostState.verifyScreenSavePwd ? 1 : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
