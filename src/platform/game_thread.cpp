#include "platform/game_thread.h"

#include <system_error>

namespace zelph::platform {

GameThread::~GameThread() { Join(); }

bool GameThread::Create(std::function<void()> body) {
  if (thread_.joinable()) return false;
  suspendCount_ = 1;
  try {
    thread_ = std::thread([this, body = std::move(body)] {
      CheckPoint();
      body();
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

void GameThread::CheckPoint() {
  std::unique_lock lock(mutex_);
  cv_.wait(lock, [this] { return suspendCount_ == 0; });
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
