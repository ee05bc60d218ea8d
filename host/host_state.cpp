// Storage of the host's process-wide record, with its start values.
#include "host/host_state.h"

HostState hostState = {
    nullptr, 0,                                          // start-up
    nullptr, 0, 0, nullptr, nullptr, nullptr, 255, {0, 0},  // saver window
    0, 0, 0xFFFFFFFFu,                                   // closing rules
    nullptr, nullptr,                                    // password hooks
};
