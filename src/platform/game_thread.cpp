#include "platform/game_thread.h"

#include <system_error>

namespace zelph::platform {

GameThread::~GameThread() { Join(); }

bool GameThread::Create(std::function<void()> body) {
  if (thread_.joinable()) return false;
  suspendCount_ = 1;
  parked_ = ended_ = false;
  try {
    thread_ = std::thread([this, body = std::move(body)] {
      CheckPoint();
      body();
      {
        std::lock_guard lock(mutex_);
        ended_ = true;
      }
      cv_.notify_all();
    });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void GameThread::Suspend() {
  std::lock_guard lock(mutex_);
  ++suspendCount_;
}

void GameThread::Resume() {
  {
    std::lock_guard lock(mutex_);
    if (suspendCount_ > 0) --suspendCount_;
  }
  cv_.notify_all();
}

bool GameThread::WaitUntilParked() {
  if (!thread_.joinable() || IsCurrent()) return false;
  std::unique_lock lock(mutex_);
  cv_.wait(lock, [this] { return parked_ || ended_ || suspendCount_ == 0; });
  // Just after a Resume the thread may not have woken yet, but it is no longer held.
  return ended_ || (parked_ && suspendCount_ > 0);
}

void GameThread::CheckPoint() {
  std::unique_lock lock(mutex_);
  if (suspendCount_ == 0) return;
  parked_ = true;
  cv_.notify_all();
  cv_.wait(lock, [this] { return suspendCount_ == 0; });
  parked_ = false;
}

void GameThread::Join() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    suspendCount_ = 0;
  }
  cv_.notify_all();
  thread_.join();
}

}  // namespace zelph::platform
