// The application frame's first layer: the window, the display and key input, the main thread's frame
// governor and the message loop whose idle passes draw and present one frame each.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "app/app_config.h"
#include "app/frame_display.h"
#include "app/frame_governor.h"
#include "app/frame_platform.h"
#include "app/lockstep.h"
#include "platform/messages.h"
#include "platform/result.h"

namespace zelph::app {

// Flags passed to DrawFrame and GameThreadFrame.
inline constexpr std::uint32_t kFrameLateFlag = 1;
inline constexpr std::uint32_t kFrameAfterPause = 2;
inline constexpr std::uint32_t kFrameRestored = 4;

inline constexpr std::size_t kErrorTextMax = 260;

// Frame error texts.
inline constexpr const char* kErrOutOfMemory = "Out of memory.";
inline constexpr const char* kErrInvalidConfig = "Invalid configuration.";
inline constexpr const char* kErrThread = "Could not create game thread.";
inline constexpr const char* kErrRegisterClass = "Could not register main window class.";
inline constexpr const char* kErrCreateWindow = "Could not create main window.";
inline constexpr const char* kErrDisplayMode = "Could not change display mode.";
inline constexpr const char* kErrOpenDisplay = "Could not open display.";

class AppFrame {
 public:
  // Takes the window, display and clock out of `platform`; later layers take the rest.
  AppFrame(const AppConfig& config, FramePlatform& platform, FrameOptions options = {});

  // Virtual operations in the frame's slot order; later layers add theirs after the destructor.
  virtual Result Run();                                    // 0
  virtual void Exit();                                     // 1
  virtual void RequestMinimize();                          // 2
  virtual Result SkipFrames(std::uint32_t count);          // 3
  virtual Result SetFrameRate(std::uint32_t fps);          // 4
  virtual void SetDisplayMode(std::uint32_t mode);         // 5
  virtual Result SetError(const char* text, Result code);  // 6
  virtual Result OnInitInstance();                         // 7
  virtual Result OnDisplayReady(FrameDisplay& display, std::uintptr_t instance) = 0;   // 8
  virtual Result OnSurfacesReady(FrameDisplay& display, std::uintptr_t instance) = 0;  // 9
  virtual Result DrawFrame(gfx::Surface* back, std::uint32_t frameFlags) = 0;          // 10
  virtual Result OnInitialize();                                                       // 11
  virtual void OnExit();                                                               // 12
  virtual void OnMinimize();                                                           // 13
  virtual void OnRestore();                                                            // 14
  virtual Result OnKeyDown(std::uint32_t key, const KeyList& keys);                    // 15
  virtual Result OnKeyUp(std::uint32_t key, const KeyList& keys);                      // 16
  virtual Result OnStylusDown(int x, int y);                                           // 17
  virtual Result OnStylusUp(int x, int y);                                             // 18
  virtual Result OnStylusDoubleClick(int x, int y);                                    // 19
  virtual Result OnStylusMove(int x, int y);                                           // 20
  virtual std::intptr_t WindowProc(const platform::Message& message);                 // 21
  virtual ~AppFrame();                                                                 // 22

  const std::string& errorText() const { return errorText_; }
  const std::string& windowClass() const { return windowClass_; }
  const AppConfig& config() const { return config_; }
  bool active() const { return active_; }
  bool exitRequested() const { return exitRequested_; }
  std::uint32_t frameFlags() const { return frameFlags_; }
  std::uint32_t framesDrawn() const { return framesDrawn_; }
  platform::Window* window() { return window_.get(); }
  FrameDisplay* display() { return display_.get(); }

 protected:
  // The full-screen state the companion shell watches; on a desktop the window itself is left as the player
  // chose.
  void FullScreen(bool on);
  void PostQuit(int code);
  Result IdleStep();
  Result CreateMainWindow();
  void DestroyMainWindow();
  Result OpenDisplay();
  platform::Clock& clock() { return *clock_; }
  const FrameOptions& options() const { return options_; }
  Lockstep* lockstep() { return lockstep_.get(); }

  // Takes one frame off `skipFrames_` if any is left; true when this caller skips a frame. Both threads call it,
  // so the decrement is one compare-exchange: two callers seeing 1 cannot both take it and wrap the count.
  bool TakeSkippedFrame();

  // The flags both threads touch are atomics, each changed with a single read-modify-write.
  std::atomic<std::uint32_t> active_{1};
  std::atomic<std::uint32_t> modeChangePending_{0};
  std::atomic<std::uint32_t> requestedMode_{0};  // SetDisplayMode's mode, taken over by the idle step
  std::atomic<std::uint32_t> skipFrames_{0};
  std::atomic<std::uint32_t> exitRequested_{0};
  std::atomic<std::uint32_t> minimizeRequested_{0};
  std::uint32_t frameFlags_ = 0;
  bool wasPaused_ = false;
  std::string errorText_;
  std::string windowClass_;
  std::uint32_t vsyncDisplay_ = 0;
  AppConfig config_;
  std::unique_ptr<FrameDisplay> display_;  // the display and its key input
  std::unique_ptr<FrameGovernor> governor_;
  std::uint32_t savedOrientation_ = 0;

 private:
  std::unique_ptr<platform::Window> window_;
  platform::Clock* clock_;
  FrameOptions options_;
  std::unique_ptr<Lockstep> lockstep_;
  std::uint32_t framesDrawn_ = 0;
  std::uint32_t idleSteps_ = 0;
  bool windowCreated_ = false;
  bool screenshotPending_ = false;
};

}  // namespace zelph::app
