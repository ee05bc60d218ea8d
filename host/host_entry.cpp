// The program's GUI entry: finds the command tail behind the program name and
// ends the process with the dispatcher's result.
#include "host/command_tail.h"
#include "host/host_modes.h"

namespace {

const char* nextCharA(const char* p) { return CharNextA(p); }

}  // namespace

void hostEntry()
{
    const char* tail = findCommandTail(GetCommandLineA(), nextCharA);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = 0;
    GetStartupInfoA(&startup);
    int showCommand = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;

    // NOTE: ExitProcess, not a return: the runtime's own exit processing is not wanted.
    ExitProcess(static_cast<UINT>(
        hostMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(tail), showCommand)));
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    hostEntry();
}
