// The frame's third layer: the game thread, which ticks the game at its own governed rate while the main
// thread draws.
#pragma once

#include <atomic>

#include "app/sound_app_frame.h"
#include "platform/game_thread.h"

namespace zelph::app {

class ThreadedAppFrame : public SoundAppFrame {
 public:
  ThreadedAppFrame(const AppConfig& config, const SoundConfig& soundConfig, FramePlatform platform,
                   FrameOptions options = {});
  ~ThreadedAppFrame() override;

  Result Run() override;
  void Exit() override;
  std::intptr_t WindowProc(const platform::Message& message) override;
  virtual Result SetThreadFrameRate(std::uint32_t fps);           // 25
  // Asks the game thread to park before its next tick and returns without waiting for it to get there.
  virtual void SuspendGameThread();                               // 26
  virtual void ResumeGameThread();                                // 27
  virtual Result GameThreadFrame(std::uint32_t frameFlags);       // 28

  bool stopThread() const { return stopThread_; }
  std::uint32_t threadTicks() const { return threadTicks_; }

 protected:
  void ThreadLoop();
  // Lifts the suspension the thread was created with, once per run: the display may become ready again after
  // a mode change, and resuming then would undo a suspension somebody else asked for.
  void StartGameThread();
  // Asks the game thread to end at its next look at the flag (also waking a lockstep wait).
  void RequestThreadStop();
  // Asks it to end, wakes it if suspended, and waits for it.
  void StopGameThread();

  platform::GameThread thread_;
  std::atomic<std::uint32_t> stopThread_{0};
  FrameGovernor threadGovernor_;
  std::atomic<std::uint32_t> threadTicks_{0};
  bool threadStarted_ = false;  // main thread only
};

}  // namespace zelph::app
