// Paces one thread at a frame rate on an absolute schedule: no drift, and after a late frame the schedule
// restarts from now instead of racing to catch up.
#pragma once

#include <cstdint>
#include <mutex>

#include "platform/clock.h"
#include "platform/result.h"

namespace zelph::app {

inline constexpr Result kFrameLate = Code(0x486600F0);
inline constexpr Result kGovernorNotRunning = Code(0xC8660080);

class FrameGovernor {
 public:
  explicit FrameGovernor(platform::Clock& clock) : clock_(clock) {}

  // Rate 0 means 30 frames per second without sleeping.
  void Set(std::uint32_t rate);
  void Stop();
  // Sleeps until the next frame is due. kFrameLate when it is already past due.
  Result Wait();

  std::uint32_t rate() const;
  bool throttled() const;
  bool running() const;

 private:
  platform::Clock& clock_;
  // The main thread resets the game thread's governor while that thread waits on it.
  mutable std::mutex mutex_;
  std::uint32_t rate_ = 0;
  bool throttled_ = false;
  float msPerFrame_ = 0;
  std::uint32_t baseTime_ = 0;
  std::uint32_t frameIndex_ = 0;
  std::uint32_t offset_ = 0;
  bool running_ = false;
};

}  // namespace zelph::app
