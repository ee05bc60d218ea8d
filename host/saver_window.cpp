// Saver and preview modes: the saver window and its message loop.
// NOTE: not built yet. Until the window arrives, both modes end at once with
// the result the full loop gives (0), so the dispatcher's exit codes hold.
#include "host/host_modes.h"

int runSaverWindow(HWND)
{
    return 0;
}
