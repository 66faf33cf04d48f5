#include "app/screen_controller.h"

#include <cstdio>

#include "app/game_app.h"
#include "app/startup.h"
#include "config/resources.h"
#include "ui/control_tree.h"
#include "ui/message_box.h"
#include "ui/pictures.h"
#include "ui/present.h"

namespace zelph::app {

namespace {

constexpr std::uint32_t kStartupWindowId = 10000;
constexpr char16_t kNoPluginText[] = u"\\n \\n Error. Plugin not found!\\nReinstall application.!";
constexpr std::uint32_t kErrorBoxFlags = 0x30000;
constexpr std::uint32_t kErrorBoxReserved = 150;

}  // namespace

ScreenController::~ScreenController() {
  // A main window still up here was not taken down by OnExit: the game was aborted, and an abort stores
  // nothing, not even the score file.
  if (mainWindow_) {
    mainWindow_->highScores = nullptr;
    mainWindow_->reportScoreGain = nullptr;
  }
  DestroyMainWindow();
}

void ScreenController::DestroyMainWindow() {
  if (app_.current_ == mainWindow_.get()) app_.current_ = nullptr;
  mainWindow_.reset();
}

void ScreenController::BuildMainWindow() {
  startupWindow_ = std::make_unique<screens::ProgressWindow>();
  startupWindow_->target = ui::BackSurface();
  startupWindow_->installFolder = config::ProgramDir();
  // Start-up builds and draws on one thread: each step is drawn and shown as it happens.
  startupWindow_->waitForChange = false;
  const bool progress =
      startupWindow_->Create(kStartupWindowId, app_.screenRect_, nullptr, 0, ui::GuiSection("start_up_wnd")) >= 0;
  if (progress) {
    app_.current_ = startupWindow_.get();
    startupWindow_->SetRange(std::nullopt, 0, 0, 7, 1);
  }
  auto window = std::make_unique<screens::MainWindow>();
  InstallHooks(*window);
  if (progress) {
    window->progressStep = [this] {
      startupWindow_->Step();
      if (gfx::Surface* back = ui::BackSurface()) {
        startupWindow_->Draw(*back, 0, 0, app_.screenRect_);
        ui::PresentNow();
      }
    };
  }
  const Result r = window->Create(screens::kMainWindowId, app_.screenRect_, nullptr, 0);
  window->progressStep = nullptr;
  app_.current_ = nullptr;
  startupWindow_.reset();
  // A window whose resources are missing stays, showing nothing and switching nothing.
  if (r < 0) std::fprintf(stderr, "the main window is incomplete (0x%08X)\n", static_cast<unsigned>(r));
  mainWindow_ = std::move(window);
}

void ScreenController::InstallHooks(screens::MainWindow& window) {
  window.highScores = &highScores_;
  window.keepBacklightOn = [this] { backlight.KeepBacklightOn(); };
}

void ScreenController::SwitchApp(int target) {
  std::lock_guard guard(app_.lock_);
  if (target == kStateMainWindow) {
    app_.previousState_ = app_.state_;
    app_.state_ = kStateSwitching;
    if (app_.current_ && app_.current_ != mainWindow_.get()) app_.current_ = nullptr;
    if (!mainWindow_) BuildMainWindow();
    app_.current_ = mainWindow_.get();
    app_.state_ = kStateMainWindow;
    return;
  }
  if (target == kStateQuitting) {
    app_.previousState_ = app_.state_;
    app_.state_ = kStateQuitting;
    app_.Exit();
  }
}

void ScreenController::Launch() {
  ui::Control* current = app_.current_;
  if (current) {
    current->request = 0;
    if (!current->launchName) return;
    const std::u16string name = *current->launchName;
    current->launchName.reset();
    if (!current->launchNow) return;
    app_.launchName_.assign(name.begin(), name.end());
  }
  if (app_.launchName_.empty()) return;
  // The other program has the screen, the keys and the sound to itself while it runs.
  FrameDisplay* display = app_.display();
  if (display) {
    display->CloseInput();
    display->Suspend();
  }
  app_.speaker().suspend();
  ui::Broadcast(ui::kNotifyReleaseSurfaces, 0, 0);
  // It beeps itself when the program cannot be started.
  const bool registered = LaunchRegisteredProgram(app_.launchName_, nullptr);
  ui::Broadcast(ui::kNotifyRestoreSurfaces, 0, 0);
  app_.active_ = 1;
  // The other program's window may still cover ours.
  if (platform::Window* window = app_.window()) window->BringToFront();
  app_.FullScreen(true);
  if (display) {
    display->OpenInput();
    display->Resume();
  }
  app_.speaker().resume();
  if (!registered) {
    const config::ConfigSection* section = ui::GuiSection("message_box_error");
    std::u16string text = kNoPluginText;
    if (section) {
      section->GetString("global_err_no_plugin", text);
      auto box = std::make_unique<ui::MessageBox>();
      if (box->CreateFromSection(0x2000000, text, kErrorBoxFlags, kErrorBoxReserved, section) >= 0)
        ui::KeepUntilClosed(std::move(box));
    }
  }
  app_.launchName_.clear();
}

void ScreenController::ResetSettings() {
  const bool wasCurrent = app_.current_ && app_.current_ == mainWindow_.get();
  DestroyMainWindow();
  config::ResetUserSettings(app_.userSettings_);
  if (wasCurrent) SwitchApp(kStateMainWindow);
}

bool ScreenController::HandleRequest(std::uint32_t value) {
  switch (value) {
    case kRequestQuitApp:
    case kRequestQuit:
      SwitchApp(kStateQuitting);
      return true;
    case kRequestLaunch:
      Launch();
      return false;
    case kRequestMinimize:
      app_.RequestMinimize();
      return true;
    case kRequestPrevious:
      SwitchApp(app_.previousState_);
      return true;
    case kRequestResetSettings:
      ResetSettings();
      return true;
    case kRequestSaveSettings: {
      // A failing save leaves the previous file whole; the player hears of it once, not every 20 seconds.
      const int saved = config::SaveUserSettings(app_.userSettings_);
      if (saved < 0 && !saveFailureReported_) {
        std::fprintf(stderr, "cannot save the settings to %s (%d)\n", app_.userSettings_.path.string().c_str(), saved);
        saveFailureReported_ = true;
      }
      if (saved >= 0) saveFailureReported_ = false;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace zelph::app
