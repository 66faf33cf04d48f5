#include "app/lockstep.h"

namespace zelph::app {

bool Lockstep::BeginTick() {
  std::unique_lock lock(mutex_);
  cv_.wait(lock, [this] { return !drawTurn_ || stopped_; });
  return !stopped_;
}

void Lockstep::EndTick() {
  {
    std::lock_guard lock(mutex_);
    drawTurn_ = true;
  }
  cv_.notify_all();
}

void Lockstep::BeginDraw() {
  std::unique_lock lock(mutex_);
  cv_.wait(lock, [this] { return drawTurn_ || !threadLive_ || stopped_; });
}

void Lockstep::EndDraw() {
  {
    std::lock_guard lock(mutex_);
    drawTurn_ = false;
  }
  cv_.notify_all();
}

void Lockstep::SetThreadLive(bool live) {
  {
    std::lock_guard lock(mutex_);
    threadLive_ = live;
  }
  cv_.notify_all();
}

void Lockstep::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  cv_.notify_all();
}

}  // namespace zelph::app
