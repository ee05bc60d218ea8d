// The mode dispatcher: common controls, the platform family, the switch of
// the command tail, and the one mode the process runs. Its result is the
// process exit code.
#include "host/command_tail.h"
#include "host/host_modes.h"
#include "host/host_state.h"

#include <commctrl.h>

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER filterBeforeGuard;

// NOTE: GCC has no __try/__except. The guard is therefore the process's
// top-level exception filter while a mode runs: an exception that nothing in
// the mode handles reaches it, and it asks the system's UnhandledExceptionFilter
// what to do, as a frame-based guard would. That filter calls the top-level
// filter back, so this one steps aside first.
LONG WINAPI dispatchGuardFilter(EXCEPTION_POINTERS* exception)
{
    SetUnhandledExceptionFilter(filterBeforeGuard);
    LONG verdict = UnhandledExceptionFilter(exception);
    if (verdict == EXCEPTION_EXECUTE_HANDLER) {
        // The guard's handler: give the system's saver-running state back and
        // end the mode with -1. Nothing below the guard needs unwinding.
        setScreenSaverRunning(0);
        ExitProcess(static_cast<UINT>(-1));
    }
    return verdict;
}

HWND windowFromHandle(uint32_t handle)
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

// A handle as written counts only when it names a window; otherwise null.
HWND existingWindow(uint32_t handle)
{
    HWND window = windowFromHandle(handle);
    return handle != 0 && IsWindow(window) ? window : nullptr;
}

int dispatchMode(const char* commandTail)
{
    ModeRequest request = parseModeSwitch(commandTail);
    switch (request.mode) {
    case ModeSwitch::ConfigureWithoutOwner:
        return runConfigurationDialog(nullptr);
    case ModeSwitch::Saver:
        return runSaverWindow(nullptr);
    case ModeSwitch::Preview: {
        HWND parent = existingWindow(request.handle);
        return parent ? runSaverWindow(parent) : -1;
    }
    case ModeSwitch::Configure: {
        HWND owner = existingWindow(request.handle);
        return runConfigurationDialog(owner ? owner : GetForegroundWindow());
    }
    case ModeSwitch::ChangePassword: {
        if (!hostState.win9xFamily)
            return -1;
        HWND owner = existingWindow(request.handle);
        changePassword(owner ? owner : GetForegroundWindow());
        return 0;
    }
    case ModeSwitch::Invalid:
        break;
    }
    return -1;
}

}  // namespace

int WINAPI hostMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int)
{
    // The dialog's trackbars need the bar classes as well as the tab classes.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    hostState.instance = instance;

    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    hostState.win9xFamily =
        GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;

    filterBeforeGuard = SetUnhandledExceptionFilter(dispatchGuardFilter);
    int result = dispatchMode(commandTail);
    SetUnhandledExceptionFilter(filterBeforeGuard);
    return result;
}
