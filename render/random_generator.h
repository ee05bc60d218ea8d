// The process's one pseudo-random generator: 15-bit draws from a seed, the
// same sequence on every platform (the C library's rand differs between them).
#pragma once

#include <cstdint>

void seedRandom(uint32_t seed);
int nextRandom();  // 0..32767
