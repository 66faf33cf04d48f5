// A thread that starts suspended and can be suspended and resumed. A std::thread cannot be stopped from
// outside, so suspension is cooperative: the thread's body calls CheckPoint between frames and parks there.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace zelph::platform {

class GameThread {
 public:
  GameThread() = default;
  ~GameThread();
  GameThread(const GameThread&) = delete;
  GameThread& operator=(const GameThread&) = delete;

  // Creates the thread suspended: `body` runs after the first Resume. False when it cannot be created.
  bool Create(std::function<void()> body);
  bool Running() const { return thread_.joinable(); }

  // Asks the thread to park at its next CheckPoint and returns at once: the body may still be inside its
  // current frame. WaitUntilParked waits for it to get there.
  void Suspend();
  void Resume();
  // Waits until the body has parked at a CheckPoint or has ended, and returns true; false at once when the
  // thread is not suspended (it would never park), not running, or the caller is the thread itself.
  bool WaitUntilParked();
  // Called by the body: waits while suspended.
  void CheckPoint();
  bool IsCurrent() const { return thread_.joinable() && std::this_thread::get_id() == thread_.get_id(); }
  // Resumes (so a parked body can see its stop flag) and waits for the end.
  void Join();

 private:
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable cv_;  // signals both a change of suspendCount_ and the body parking or ending
  int suspendCount_ = 1;
  bool parked_ = false;
  bool ended_ = false;
};

}  // namespace zelph::platform
