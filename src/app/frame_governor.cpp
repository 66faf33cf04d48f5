#include "app/frame_governor.h"

#include <cmath>

namespace zelph::app {

void FrameGovernor::Set(std::uint32_t rate) {
  std::lock_guard lock(mutex_);
  running_ = false;
  frameIndex_ = 0;
  offset_ = 0;
  if (rate == 0) {
    rate_ = 30;
    throttled_ = false;
  } else {
    rate_ = rate;
    throttled_ = true;
  }
  msPerFrame_ = 1000.0f / static_cast<float>(rate_);
  baseTime_ = clock_.Now();
  running_ = true;
}

Result FrameGovernor::Wait() {
  std::uint32_t sleepMs = 0;
  {
    std::lock_guard lock(mutex_);
    if (!running_) return kGovernorNotRunning;
    std::uint32_t elapsed = clock_.Now() - baseTime_;
    ++frameIndex_;
    auto due = static_cast<std::uint32_t>(std::floor(static_cast<float>(frameIndex_) * msPerFrame_)) + offset_;
    if (!throttled_) return S_OK;
    if (due < elapsed) {
      frameIndex_ = 0;
      offset_ = elapsed;
      return kFrameLate;
    }
    sleepMs = due - elapsed;
  }
  clock_.Sleep(sleepMs);
  return S_OK;
}

void FrameGovernor::Stop() {
  std::lock_guard lock(mutex_);
  running_ = false;
}

std::uint32_t FrameGovernor::rate() const {
  std::lock_guard lock(mutex_);
  return rate_;
}

bool FrameGovernor::throttled() const {
  std::lock_guard lock(mutex_);
  return throttled_;
}

bool FrameGovernor::running() const {
  std::lock_guard lock(mutex_);
  return running_;
}

}  // namespace zelph::app
