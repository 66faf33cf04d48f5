#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace zelph::platform {

std::uint32_t TickCount() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepMs(std::uint32_t ms) {
  if (ms == 0) {
    std::this_thread::yield();
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

namespace {
class RealClock final : public Clock {
 public:
  std::uint32_t Now() override { return TickCount(); }
  void Sleep(std::uint32_t ms) override { SleepMs(ms); }
};
}  // namespace

Clock& SystemClock() {
  static RealClock clock;
  return clock;
}

}  // namespace zelph::platform
