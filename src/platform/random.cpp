#include "platform/random.h"

#include <atomic>

namespace zelph::platform {

namespace {
// The handheld runtime's linear congruential generator, so a seed gives the same sequence the game was tuned
// with. One state for the process, as with rand().
std::atomic<std::uint32_t> g_state{1};
}  // namespace

void SRand(std::uint32_t seed) { g_state.store(seed, std::memory_order_relaxed); }

int Rand() {
  std::uint32_t next = g_state.load(std::memory_order_relaxed) * 214013u + 2531011u;
  g_state.store(next, std::memory_order_relaxed);
  return static_cast<int>((next >> 16) & 0x7FFF);
}

}  // namespace zelph::platform

#include "platform/clock.h"

namespace zelph::platform {

namespace {
std::atomic<bool> g_hasFixedSeed{false};
std::atomic<std::uint32_t> g_fixedSeed{0};
}  // namespace

void SetFixedSeed(std::uint32_t seed) {
  g_fixedSeed = seed;
  g_hasFixedSeed = true;
}

std::uint32_t SeedForNewGame() { return g_hasFixedSeed ? g_fixedSeed.load() : TickCount(); }

}  // namespace zelph::platform
