// The platform pieces an application frame runs on, handed over at construction so that tests can replace
// the window, display and clock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "app/frame_display.h"
#include "platform/clock.h"
#include "platform/hss_speaker.h"
#include "platform/window.h"

namespace zelph::app {

struct FramePlatform {
  std::unique_ptr<platform::Window> window;
  std::unique_ptr<FrameDisplay> display;
  platform::Clock* clock = &platform::SystemClock();
  // The sound output; none gives a silent speaker that never opens (headless runs, tests).
  std::unique_ptr<platform::hssSpeaker> speaker;
};

// Desktop additions around the original frame, all off by default.
struct FrameOptions {
  std::uint32_t maxFrames = 0;  // end normally after this many drawn frames (0: run until asked to end)
  bool lockstep = false;        // the game thread and the main thread alternate strictly, with no pacing
  // Called once per idle step before anything is drawn, with the step's number (from 1); may post messages.
  std::function<void(std::uint32_t step)> beforeIdleStep;
  // Called after each drawn frame with the number of frames drawn so far.
  std::function<void(std::uint32_t frame, FrameDisplay& display)> afterFrame;
  // Called after the frame that follows a screenshot request (F12).
  std::function<void(FrameDisplay& display)> onScreenshotKey;
};

}  // namespace zelph::app
