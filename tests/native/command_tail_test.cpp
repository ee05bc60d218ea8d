// The command line read byte by byte: where the tail starts behind the
// program name, the decimal handles, and the mode each switch asks for.
#include "host/command_tail.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* nextByte(const char* p) { return p + 1; }

struct TailCase {
    const char* commandLine;
    const char* tail;
};

TEST(CommandTail, ProgramNameIsSkipped)
{
    const TailCase cases[] = {
        {"Monoglint.scr /s", "/s"},
        {"Monoglint.scr    /s", "/s"},
        {"Monoglint.scr\t/s", "/s"},  // the tab goes with the name's trailing blanks
        {"\"C:\\Program Files\\Mono glint.scr\" /p 458", "/p 458"},
        {"\"C:\\a b\\Monoglint.scr\"/s", "/s"},
        {"\"C:\\unterminated /s", ""},  // no closing quote: the whole line is the name
        {"Monoglint.scr", ""},
        {"Monoglint.scr   ", ""},
        {"", ""},
        {" /s", "/s"},           // a first byte of 32 or below is not a name
        {"\x01\x02/c", "/c"},
        {"C:\\a\xe9\xff.scr /s", "/s"},  // bytes above 127 are part of the name
        {"\"\"/s", "/s"},        // an empty quoted name
        {"Monoglint.scr /s\t-x", "/s\t-x"},
    };
    for (const TailCase& c : cases)
        EXPECT_EQ(std::string(findCommandTail(c.commandLine, nextByte)), c.tail) << "line: " << c.commandLine;
}

// CharNextA steps over a whole double-byte character: a lead byte followed by
// a trail byte that happens to be a quote must not end the quoted name.
TEST(CommandTail, QuotedNameIsSteppedWithTheGivenCharacterStep)
{
    auto doubleByteStep = [](const char* p) -> const char* {
        return static_cast<unsigned char>(*p) == 0x81 && p[1] ? p + 2 : p + 1;
    };
    EXPECT_STREQ(findCommandTail("\"C:\\\x81\"x.scr\" /s", doubleByteStep), "/s");
}

TEST(CommandTail, DecimalHandles)
{
    const struct {
        const char* text;
        uint32_t value;
    } cases[] = {
        {"458", 458},
        {"0458", 458},
        {"", 0},
        {"ab", 0},
        {"458ab", 458},
        {"12 34", 12},
        {"+5", 0},
        {"-5", 0},
        {"0x10", 0},
        {"4294967295", 4294967295u},
        {"4294967296", 0},           // wraps modulo 2^32
        {"4294967297", 1},
        {"99999999999", 1215752191u},  // 99999999999 mod 2^32
        {"7\xb0", 7},                // bytes of 128 and above are no digits
        {"\xb7" "7", 0},
        {"1\t2", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDecimal(c.text), c.value) << "text: " << c.text;
}

struct SwitchCase {
    const char* tail;
    ModeSwitch mode;
    uint32_t handle;
};

const char* modeName(ModeSwitch mode)
{
    switch (mode) {
    case ModeSwitch::ConfigureWithoutOwner: return "configure without owner";
    case ModeSwitch::Configure: return "configure";
    case ModeSwitch::Saver: return "saver";
    case ModeSwitch::Preview: return "preview";
    case ModeSwitch::ChangePassword: return "change password";
    case ModeSwitch::Invalid: return "invalid";
    }
    return "?";
}

TEST(CommandTail, ModeSwitches)
{
    using M = ModeSwitch;
    const SwitchCase cases[] = {
        {"", M::ConfigureWithoutOwner, 0},
        {"/", M::ConfigureWithoutOwner, 0},
        {"- /", M::ConfigureWithoutOwner, 0},
        {"  --//  ", M::ConfigureWithoutOwner, 0},
        {"/s", M::Saver, 0},
        {"-S", M::Saver, 0},
        {"s", M::Saver, 0},
        {"/ -s", M::Saver, 0},
        {"/s 12", M::Saver, 0},
        {"/sxyz", M::Saver, 0},
        {"/p 458", M::Preview, 458},
        {"/p458", M::Preview, 458},
        {"/P   458", M::Preview, 458},
        {"/l 458", M::Preview, 458},
        {"-L 458", M::Preview, 458},
        {"/p", M::Preview, 0},
        {"/p 0", M::Preview, 0},
        {"/p:458", M::Preview, 0},     // only blanks may stand between the letter and the number
        {"/p\t458", M::Preview, 0},
        {"/p 458ab", M::Preview, 458},
        {"/p 4294967754", M::Preview, 458},  // 2^32 + 458 wraps onto 458
        {"/c:458", M::Configure, 458},
        {"/C:458", M::Configure, 458},
        {"/c", M::Configure, 0},
        {"/c 458", M::Configure, 0},     // the number must follow the ":"
        {"/c: 458", M::Configure, 0},
        {"/c:0", M::Configure, 0},
        {"/c:999", M::Configure, 999},
        {"/a 458", M::ChangePassword, 458},
        {"-A458", M::ChangePassword, 458},
        {"/a", M::ChangePassword, 0},
        {"/x", M::Invalid, 0},
        {"/?", M::Invalid, 0},
        {"/\ts", M::Invalid, 0},         // a tab is no separator inside the tail
        {"\t/s", M::Invalid, 0},
        {"\xd3", M::Invalid, 0},         // 'S' | 0x80 is no letter
        {"\xf3", M::Invalid, 0},
        {"1", M::Invalid, 0},
    };
    for (const SwitchCase& c : cases) {
        ModeRequest request = parseModeSwitch(c.tail);
        EXPECT_EQ(modeName(request.mode), std::string(modeName(c.mode))) << "tail: \"" << c.tail << "\"";
        EXPECT_EQ(request.handle, c.handle) << "tail: \"" << c.tail << "\"";
    }
}

}  // namespace
