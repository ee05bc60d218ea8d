// Byte-level reading of the command line; see command_tail.h.
#include "host/command_tail.h"

namespace {

unsigned byteAt(const char* p) { return static_cast<unsigned char>(*p); }

const char* skipBlanks(const char* p)
{
    while (*p == ' ')
        ++p;
    return p;
}

}  // namespace

const char* findCommandTail(const char* commandLine, NextCharFn nextChar)
{
    const char* p = commandLine;
    if (byteAt(p) == '"') {
        // NOTE: the first CharNext steps off the opening quote itself.
        do
            p = nextChar(p);
        while (byteAt(p) != '"' && byteAt(p) != 0);
        if (byteAt(p) == '"')
            ++p;
    } else if (byteAt(p) > ' ') {
        while (byteAt(p) > ' ')
            p = nextChar(p);
    }
    while (byteAt(p) != 0 && byteAt(p) <= ' ')
        p = nextChar(p);
    return p;
}

uint32_t parseDecimal(const char* text)
{
    uint32_t value = 0;
    for (const char* p = text; byteAt(p) >= '0' && byteAt(p) <= '9'; ++p)
        value = value * 10u + (byteAt(p) - '0');
    return value;
}

ModeRequest parseModeSwitch(const char* tail)
{
    for (const char* p = tail;; ++p) {
        switch (*p) {
        case '\0':
            return {ModeSwitch::ConfigureWithoutOwner, 0};
        case ' ':
        case '-':
        case '/':
            continue;  // only the blank separates; a tab is no separator here
        case 's':
        case 'S':
            return {ModeSwitch::Saver, 0};
        case 'p':
        case 'P':
        case 'l':
        case 'L':
            return {ModeSwitch::Preview, parseDecimal(skipBlanks(p + 1))};
        case 'c':
        case 'C':
            // The number must follow the ":" at once; no blanks are skipped.
            return {ModeSwitch::Configure, p[1] == ':' ? parseDecimal(p + 2) : 0u};
        case 'a':
        case 'A':
            return {ModeSwitch::ChangePassword, parseDecimal(skipBlanks(p + 1))};
        default:
            return {ModeSwitch::Invalid, 0};
        }
    }
}
