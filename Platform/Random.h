#pragma once
// The one random source of the game: the classic 15-bit linear congruential
// generator (s = s * 214013 + 2531011; result (s >> 16) & 0x7FFF), range
// 0..32767. Never call rand() directly: its range on Linux is 2^31-1.
#include <cstdint>

namespace Platform {

constexpr int kRandMax = 32767;

void SeedRandom(uint32_t seed);
// Seeds from the clock (start-up only; tests seed explicitly).
void SeedRandomFromClock();
int Random();
// A value in [0, 1]: Random() / 32767.0.
float RandomFloat();

}  // namespace Platform
