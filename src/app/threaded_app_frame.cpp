#include "app/threaded_app_frame.h"

#include <cerrno>

namespace zelph::app {

using platform::Message;
namespace msg = platform::msg;

ThreadedAppFrame::ThreadedAppFrame(const AppConfig& config, const SoundConfig& soundConfig, FramePlatform platform,
                                   FrameOptions options)
    : SoundAppFrame(config, soundConfig, std::move(platform), std::move(options)), threadGovernor_(clock()) {}

ThreadedAppFrame::~ThreadedAppFrame() { StopGameThread(); }

void ThreadedAppFrame::RequestThreadStop() {
  stopThread_ = 1;
  if (lockstep()) lockstep()->Stop();
}

void ThreadedAppFrame::StopGameThread() {
  RequestThreadStop();
  thread_.Join();  // resumes a thread that was never resumed, so that it sees the flag and ends
}

void ThreadedAppFrame::Exit() {
  SoundAppFrame::Exit();
  RequestThreadStop();
}

Result ThreadedAppFrame::SetThreadFrameRate(std::uint32_t fps) {
  if (fps == 0) return E_FAIL;
  config_.threadFrameRate = fps;
  threadGovernor_.Set(fps);
  return S_OK;
}

void ThreadedAppFrame::SuspendGameThread() {
  if (thread_.IsCurrent()) return;
  if (lockstep()) lockstep()->SetThreadLive(false);
  thread_.Suspend();
}

void ThreadedAppFrame::ResumeGameThread() {
  thread_.Resume();
  threadGovernor_.Set(config_.threadFrameRate ? config_.threadFrameRate : config_.frameRate);
  if (lockstep()) lockstep()->SetThreadLive(true);
}

void ThreadedAppFrame::StartGameThread() {
  if (threadStarted_) return;
  threadStarted_ = true;
  ResumeGameThread();
}

Result ThreadedAppFrame::GameThreadFrame(std::uint32_t) { return S_OK; }

Result ThreadedAppFrame::Run() {
  stopThread_ = 0;
  threadStarted_ = false;
  if (!thread_.Create([this] { ThreadLoop(); })) {
    SetError(kErrThread, Code(static_cast<std::uint32_t>(errno)));
    return E_FAIL;
  }
  // Raising the thread's priority needs privileges a desktop game does not have; the governors keep the
  // ticks regular instead. The handheld paused 100 ms here for the raised priority to take hold: with nothing
  // raised there is nothing to wait for, and the pause was a third of the time to the first frame.
  threadGovernor_.Set(config_.threadFrameRate ? config_.threadFrameRate : config_.frameRate);

  Result result = SoundAppFrame::Run();

  StopGameThread();
  clock().Sleep(100);
  return result;
}

void ThreadedAppFrame::ThreadLoop() {
  std::uint32_t flags = 0;
  while (!stopThread_) {
    thread_.CheckPoint();
    if (stopThread_) break;
    if (active_ || config_.runWhenInactive) {
      if (!TakeSkippedFrame()) {
        if (lockstep() && !lockstep()->BeginTick()) break;
        Result r = GameThreadFrame(flags);
        ++threadTicks_;
        if (lockstep()) lockstep()->EndTick();
        if (Failed(r)) break;
      }
    }
    flags &= kFrameAfterPause;
    if ((active_ && !vsyncDisplay_) || (!active_ && config_.runWhenInactive)) {
      if (threadGovernor_.Wait() == kFrameLate) clock().Sleep(1);
    }
    if (!stopThread_ && !active_ && !config_.runWhenInactive) {
      while (!active_ && !stopThread_) clock().Sleep(250);
      flags |= kFrameAfterPause;
    }
  }
  if (lockstep()) lockstep()->SetThreadLive(false);
}

std::intptr_t ThreadedAppFrame::WindowProc(const Message& m) {
  if (m.id == msg::kActivate && (m.wParam & 0xFFFF) != 0 && !active_) {
    threadGovernor_.Set(config_.threadFrameRate ? config_.threadFrameRate : config_.frameRate);
  }
  if (m.id == msg::kSysCommand && (m.wParam & 0xFFF0) == platform::kScClose) RequestThreadStop();
  return SoundAppFrame::WindowProc(m);
}

}  // namespace zelph::app
