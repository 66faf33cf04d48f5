// The application's half of the screen controller: it builds the main window behind the start-up progress
// window, and answers the requests the root raises (quit, minimise, back to the previous state, launch a
// registered program, reset or save the user settings).
#pragma once

#include <cstdint>
#include <memory>

#include "app/backlight.h"
#include "app/request_handler.h"
#include "game/high_score_table.h"
#include "screens/main_window.h"
#include "screens/progress_window.h"

namespace zelph::app {

class GameApp;

inline constexpr std::uint32_t kRequestQuitApp = 1;
inline constexpr std::uint32_t kRequestLaunch = 3;
inline constexpr std::uint32_t kRequestMinimize = 48;
inline constexpr std::uint32_t kRequestQuit = 64;
inline constexpr std::uint32_t kRequestPrevious = 96;
inline constexpr std::uint32_t kRequestResetSettings = 4097;
inline constexpr std::uint32_t kRequestSaveSettings = 4098;

class ScreenController final : public RequestHandler {
 public:
  explicit ScreenController(GameApp& app) : app_(app) {}
  ~ScreenController() override;

  // 3: the main window becomes the current tree (built on the first call); 5: the application quits. Other
  // targets are left alone.
  void SwitchApp(int target);
  bool HandleRequest(std::uint32_t value) override;
  // Takes the main window down; its destructor stores what it keeps into the user settings.
  void DestroyMainWindow();
  screens::MainWindow* mainWindow() { return mainWindow_.get(); }
  // Gives a main window what it asks of the application: the backlight refresh every 300 frames.
  void InstallHooks(screens::MainWindow& window);

  // The device's backlight, refreshed through the main window's hook.
  Backlight backlight{DesktopDeviceFacts()};

 private:
  void BuildMainWindow();
  void Launch();
  void ResetSettings();

  GameApp& app_;
  // The one table of the application; each main window loads it when built and stores it when it goes.
  game::HighScoreTable highScores_;
  std::unique_ptr<screens::MainWindow> mainWindow_;
  std::unique_ptr<screens::ProgressWindow> startupWindow_;
  bool saveFailureReported_ = false;
};

}  // namespace zelph::app
