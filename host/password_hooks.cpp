// The 9x family's screen-saver password services: the user's password
// setting, the system verifier in PASSWORD.CPL, the system's saver-running
// flag, and the change-password dialog in MPR.DLL. Both modules are found by
// name at run time; the program links neither.
#include "host/host_modes.h"
#include "host/host_state.h"

typedef DWORD(WINAPI* PwdChangePasswordFn)(LPCSTR, HWND, DWORD, LPVOID);

void setScreenSaverRunning(int running)
{
    if (!hostState.win9xFamily)
        return;
    UINT previous = static_cast<UINT>(running);  // the system writes the old state here; unused
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, static_cast<UINT>(running), &previous, 0);
}

void loadPasswordModule()
{
    if (!hostState.win9xFamily)
        return;
    if (hostState.passwordModule)
        unloadPasswordModule();

    HKEY desktop;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &desktop) != ERROR_SUCCESS)
        return;
    // Whatever its registry type, up to four bytes of the value; a shorter
    // value leaves the remaining bytes zero, a longer one fails the read.
    DWORD usePassword = 0;
    DWORD size = sizeof(usePassword);
    if (RegQueryValueExA(desktop, "ScreenSaveUsePassword", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&usePassword), &size) == ERROR_SUCCESS &&
        usePassword != 0) {
        hostState.passwordModule = LoadLibraryA("PASSWORD.CPL");
        if (hostState.passwordModule) {
            hostState.verifyScreenSavePwd = reinterpret_cast<VerifyScreenSavePwdFn>(
                reinterpret_cast<void*>(GetProcAddress(hostState.passwordModule, "VerifyScreenSavePwd")));
            if (hostState.verifyScreenSavePwd)
                setScreenSaverRunning(1);
            else
                unloadPasswordModule();
        }
    }
    RegCloseKey(desktop);
}

void unloadPasswordModule()
{
    if (!hostState.win9xFamily || !hostState.passwordModule)
        return;
    FreeLibrary(hostState.passwordModule);
    hostState.passwordModule = nullptr;
    if (hostState.verifyScreenSavePwd) {
        hostState.verifyScreenSavePwd = nullptr;
        setScreenSaverRunning(0);
    }
}

void changePassword(HWND owner)
{
    HMODULE mpr = LoadLibraryA("MPR.DLL");
    if (!mpr)
        return;
    auto pwdChangePassword = reinterpret_cast<PwdChangePasswordFn>(
        reinterpret_cast<void*>(GetProcAddress(mpr, "PwdChangePasswordA")));
    if (pwdChangePassword)
        pwdChangePassword("SCRSAVE", owner, 0, nullptr);
    FreeLibrary(mpr);
}
