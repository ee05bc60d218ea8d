// Reading the command line: where the command tail starts behind the program
// name, and which mode its switch asks for. Byte-level and portable (no Win32
// types), so that every row of the switch table is tested natively; the
// dispatcher (host_main.cpp) checks the handles against real windows.
#pragma once

#include <cstdint>

// Steps one character forward; CharNextA on Windows, so that double-byte
// program paths are stepped over whole.
using NextCharFn = const char* (*)(const char*);

// Skips the program name (whole, when quoted) and the blanks and control
// characters behind it. Bytes are compared as unsigned values.
const char* findCommandTail(const char* commandLine, NextCharFn nextChar);

// A window handle written in decimal: digits only, unsigned 32-bit arithmetic
// that wraps on overflow; no digits give 0.
uint32_t parseDecimal(const char* text);

enum class ModeSwitch {
    ConfigureWithoutOwner,  // empty tail
    Configure,              // "c": owner from "c:<n>", else the foreground window
    Saver,                  // "s"
    Preview,                // "p" or "l" with the parent's handle
    ChangePassword,         // "a" with the owner's handle
    Invalid,                // any other byte: the process answers -1
};

struct ModeRequest {
    ModeSwitch mode;
    uint32_t handle;  // parent or owner as written; 0 when none was written
};

ModeRequest parseModeSwitch(const char* tail);
