// Configuration mode: runs dialog 2003 from the program's resources.
#include "host/host_modes.h"
#include "host/host_state.h"
#include "settings/config_dialog.h"

// The place to register window classes the dialog needs; this one needs none.
BOOL dialogClassHook(HINSTANCE)
{
    return TRUE;
}

int runConfigurationDialog(HWND owner)
{
    if (!dialogClassHook(hostState.instance))
        return 0;
    return static_cast<int>(DialogBoxParamA(hostState.instance, MAKEINTRESOURCEA(configDialogId), owner,
                                            configDialogProc, 0));
}
