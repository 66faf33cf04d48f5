#include "game/frame_rate.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace zelph::game {

namespace {
// Set before play starts and read under the application lock; atomic so a test's setting is never torn.
std::atomic<std::int32_t> framesPerSecond{kFrameRate};
}  // namespace

std::int32_t FramesPerSecond() { return framesPerSecond.load(std::memory_order_relaxed); }

void SetFramesPerSecond(std::int32_t fps) { framesPerSecond.store(std::max(fps, 1), std::memory_order_relaxed); }

std::int32_t SecondsToFrames(std::int64_t seconds) {
  constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max();
  const std::int64_t capped = std::clamp<std::int64_t>(seconds, 0, kMost);
  return static_cast<std::int32_t>(std::min(capped * FramesPerSecond(), kMost));
}

}  // namespace zelph::game
