// The runtime's random generator as the game expects it: values 0 to 32767 from a seed set once. The C
// library's rand() on this platform has a larger range, so the game uses this one everywhere.
#pragma once

#include <cstdint>

namespace zelph::platform {

inline constexpr int kRandMax = 32767;

void SRand(std::uint32_t seed);
int Rand();  // 0 .. kRandMax

}  // namespace zelph::platform

namespace zelph::platform {

// The seed a new game starts from: the fixed one given on the command line, else the millisecond tick count.
void SetFixedSeed(std::uint32_t seed);
std::uint32_t SeedForNewGame();

}  // namespace zelph::platform
