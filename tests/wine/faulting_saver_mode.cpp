// Test-only replacement of the saver mode that faults, so that the tests can
// watch the dispatcher's exception guard: it must end the process with -1 and
// give the system's saver-running state back. Linked in front of the real
// host library, so the real saver window is left out of this build.
#include "host/host_modes.h"

#include <cstdint>

namespace {
volatile uintptr_t faultAddress = 0;
}

int runSaverWindow(HWND)
{
    setScreenSaverRunning(1);  // as a full-screen run with a password in force would
    *reinterpret_cast<volatile int*>(faultAddress) = 1;
    return 0;
}
