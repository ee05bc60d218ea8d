// The configuration dialog's procedure.
// NOTE: not built yet: only OK and Cancel end the dialog, with result 1.
#include "settings/config_dialog.h"

#include "settings/settings_file.h"

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        loadSettings(false);
        return FALSE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}
