#include "Platform/Random.h"

#include <chrono>

namespace Platform {

namespace {
uint32_t gRandomState = 1;
}

void SeedRandom(uint32_t seed) { gRandomState = seed; }

void SeedRandomFromClock() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  SeedRandom(static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count()));
}

int Random() {
  gRandomState = gRandomState * 214013u + 2531011u;
  return static_cast<int>((gRandomState >> 16) & 0x7FFF);
}

float RandomFloat() { return static_cast<float>(Random() / 32767.0); }

}  // namespace Platform
