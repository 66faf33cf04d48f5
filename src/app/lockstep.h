// Strict alternation of the game thread's tick and the main thread's draw, for reproducible runs: each drawn
// frame follows exactly one tick.
#pragma once

#include <condition_variable>
#include <mutex>

namespace zelph::app {

class Lockstep {
 public:
  // Game thread: waits for its turn; false when stopping.
  bool BeginTick();
  void EndTick();
  // Main thread: waits for a tick, unless the game thread is not running.
  void BeginDraw();
  void EndDraw();

  // Whether the game thread is running and so must be waited for.
  void SetThreadLive(bool live);
  void Stop();

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool drawTurn_ = false;
  bool threadLive_ = false;
  bool stopped_ = false;
};

}  // namespace zelph::app
