// Millisecond time and sleeping, behind an interface so that frame pacing can be tested with a fake clock.
#pragma once

#include <cstdint>

namespace zelph::platform {

// Milliseconds from an arbitrary start, monotonic, wrapping like the device's tick counter.
std::uint32_t TickCount();
void SleepMs(std::uint32_t ms);

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t Now() = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
};

// The real clock.
Clock& SystemClock();

}  // namespace zelph::platform
