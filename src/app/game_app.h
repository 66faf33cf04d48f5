// The frame's fourth layer, the game: every draw, tick and input event runs on the current control tree (the
// start-up window or the main window, each the root of a tree) under the one application lock, and the
// requests its root raises go to the screen controller.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "app/request_handler.h"
#include "app/threaded_app_frame.h"
#include "config/user_settings.h"
#include "gfx/rect.h"
#include "ui/control.h"

namespace zelph::app {

// Application states.
inline constexpr int kStateConstructed = 2;
inline constexpr int kStateMainWindow = 3;
inline constexpr int kStateQuitting = 5;
inline constexpr int kStateSwitching = 6;

class ScreenController;

class GameApp : public ThreadedAppFrame {
 public:
  GameApp(const AppConfig& config, const SoundConfig& soundConfig, FramePlatform platform,
          FrameOptions options = {});
  ~GameApp() override;

  Result OnInitInstance() override;
  Result OnDisplayReady(FrameDisplay& display, std::uintptr_t instance) override;
  Result OnSurfacesReady(FrameDisplay& display, std::uintptr_t instance) override;
  Result DrawFrame(gfx::Surface* back, std::uint32_t frameFlags) override;
  Result GameThreadFrame(std::uint32_t frameFlags) override;
  void OnExit() override;
  Result OnKeyDown(std::uint32_t key, const KeyList& keys) override;
  Result OnKeyUp(std::uint32_t key, const KeyList& keys) override;
  Result OnStylusDown(int x, int y) override;
  Result OnStylusUp(int x, int y) override;
  Result OnStylusDoubleClick(int x, int y) override;
  Result OnStylusMove(int x, int y) override;
  Result OnWheel(std::uint32_t keyState, int delta, int x, int y, int notches) override;
  Result OnChar(std::uint32_t character, std::intptr_t keyData) override;
  std::intptr_t WindowProc(const platform::Message& message) override;

  // Offers `current`'s request to the controller and clears it when handled.
  void HandleCurrentRequest();

  std::recursive_mutex& lock() { return lock_; }
  ui::Control* current() const { return current_; }
  void SetCurrent(ui::Control* root) { current_ = root; }
  void SetRequestHandler(RequestHandler* handler) { requestHandler_ = handler; }
  const gfx::Rect& screenRect() const { return screenRect_; }
  // Where the default packs are, registered on the first start; empty: none to register.
  void SetDataDir(std::filesystem::path dir) { dataDir_ = std::move(dir); }
  config::UserSettingsFile& userSettings() { return userSettings_; }
  // Start straight on the game screen at this level once the display is ready, through the main window's
  // new game (the tester's shortcut).
  void SetPlayLevel(std::int32_t difficulty, std::int32_t level);
  int state() const { return state_; }
  int previousState() const { return previousState_; }

 protected:
  std::recursive_mutex lock_;
  ui::Control* current_ = nullptr;
  RequestHandler* requestHandler_ = nullptr;
  int state_ = kStateConstructed;
  int previousState_ = kStateConstructed;
  gfx::Rect screenRect_;
  std::string launchName_;
  config::UserSettingsFile userSettings_;
  std::filesystem::path dataDir_;
  std::int32_t playDifficulty_ = 0;  // 0: no shortcut
  std::int32_t playLevel_ = 0;
  std::unique_ptr<ScreenController> controller_;

 private:
  friend class ScreenController;

  // Starts the shortcut's game; false (after saying why on standard error) when it cannot start.
  bool StartPlay();
};

// The game's application object, published for the rest of the game while it exists.
GameApp* TheApp();

}  // namespace zelph::app
