// A linear congruential generator; the high bits of the state are the draw,
// since the low bits of such a generator repeat with short periods.
#include "render/random_generator.h"

namespace {
uint32_t randomState = 1;
}

void seedRandom(uint32_t seed)
{
    randomState = seed;
}

int nextRandom()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFF);
}
