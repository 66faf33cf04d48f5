#include "platform/window.h"

namespace zelph::platform {

MessageQueue::~MessageQueue() {
  for (const Message& m : queue_) DiscardMessagePayload(m);
}

bool MessageQueue::Post(const Message& message) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(message);
  }
  cv_.notify_one();
  return true;
}

bool MessageQueue::Pop(Message& out) {
  std::lock_guard lock(mutex_);
  if (queue_.empty()) return false;
  out = queue_.front();
  queue_.pop_front();
  return true;
}

bool MessageQueue::WaitFor(std::uint32_t timeoutMs) {
  std::unique_lock lock(mutex_);
  return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !queue_.empty(); });
}

bool MessageQueue::Empty() const {
  std::lock_guard lock(mutex_);
  return queue_.empty();
}

}  // namespace zelph::platform
