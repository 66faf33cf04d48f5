#include "app/game_app.h"

#include <atomic>
#include <cstdio>

#include "app/pad_pause.h"
#include "app/screen_controller.h"
#include "config/resources.h"
#include "platform/dialogs.h"
#include "sound/menu_click.h"
#include "sound/sound_globals.h"
#include "ui/control_tree.h"
#include "ui/present.h"

namespace zelph::app {

namespace {
std::atomic<GameApp*> g_app{nullptr};
}  // namespace

GameApp* TheApp() { return g_app.load(); }

GameApp::GameApp(const AppConfig& config, const SoundConfig& soundConfig, FramePlatform platform,
                 FrameOptions options)
    : ThreadedAppFrame(config, soundConfig, std::move(platform), std::move(options)),
      controller_(std::make_unique<ScreenController>(*this)) {
  requestHandler_ = controller_.get();
  g_app.store(this);
  sound::PublishSpeaker(speaker_.get());
}

GameApp::~GameApp() {
  // The game thread must not tick a tree that is going away.
  StopGameThread();
  GameApp* self = this;
  if (g_app.compare_exchange_strong(self, nullptr)) {
    sound::PublishSoundResources(nullptr, nullptr);
    sound::PublishSpeaker(nullptr);
  }
}

Result GameApp::OnInitInstance() {
  if (!dataDir_.empty()) config::RegisterDefaultPacks(dataDir_);
  return config::LoadResources(userSettings_);
}

Result GameApp::OnDisplayReady(FrameDisplay& display, std::uintptr_t) {
  {
    // After a mode change the game thread is running: it must not tick the tree while its globals change.
    std::lock_guard guard(lock_);
    screenRect_ = gfx::Rect{0, 0, display.Width(), display.Height()};
    // A fresh tree on the first start; a display that only changed its mode keeps the tree's state.
    if (!current_) ui::ResetControlGlobals();
    ui::SetBackSurface(display.BackSurface());
    ui::SetDeviceKeys(display.Keys());
    sound::PublishSoundResources(&config::GlobalPackList(), &config::SoundDocument());
    auto [soundVolume, musicVolume] = config::ReadVolumes();
    speaker_->volumeSounds(static_cast<int>(soundVolume));
    speaker_->volumeMusics(static_cast<int>(musicVolume));
    ui::SetPresentHook([this] {
      if (display_) display_->Flip();
    });
  }
  // The main window's tree, built once; without it the application is already quitting.
  if (!current_) {
    controller_->SwitchApp(kStateMainWindow);
    if (playDifficulty_ > 0 && !StartPlay()) return E_FAIL;
  }
  StartGameThread();
  return S_OK;
}

void GameApp::SetPlayLevel(std::int32_t difficulty, std::int32_t level) {
  playDifficulty_ = difficulty;
  playLevel_ = level;
}

bool GameApp::StartPlay() {
  std::lock_guard guard(lock_);
  screens::MainWindow* main = controller_->mainWindow();
  if (main && main->StartNewGameAt(playDifficulty_, playLevel_)) return true;
  std::fprintf(stderr, "cannot start a game at difficulty %d, level %d\n", playDifficulty_, playLevel_);
  return false;
}

Result GameApp::OnSurfacesReady(FrameDisplay&, std::uintptr_t) { return S_OK; }

void GameApp::HandleCurrentRequest() {
  if (!current_) return;
  bool handled = requestHandler_ && requestHandler_->HandleRequest(static_cast<std::uint32_t>(current_->request));
  if (handled && current_) current_->request = 0;
}

Result GameApp::DrawFrame(gfx::Surface* back, std::uint32_t) {
  std::lock_guard guard(lock_);
  if (!current_ || !back) return S_OK;
  if (ui::DrawTree(*current_, *back, 0, 0, screenRect_) != S_OK) {
    Exit();
  } else {
    HandleCurrentRequest();
  }
  return S_OK;
}

Result GameApp::GameThreadFrame(std::uint32_t frameFlags) {
  std::lock_guard guard(lock_);
  if (!current_) return S_OK;
  ui::TickTree(*current_, frameFlags);
  HandleCurrentRequest();
  return S_OK;
}

void GameApp::OnExit() {
  // The game thread stops before the tree it ticks is taken down.
  StopGameThread();
  std::lock_guard guard(lock_);
  current_ = nullptr;
  // Its destructor stores the scores and the saved game into the settings saved below.
  controller_->DestroyMainWindow();
  // Message boxes that close themselves go with the tree.
  ui::ResetControlGlobals();
  ui::SetBackSurface(nullptr);
  config::SaveUserSettings(userSettings_);
  sound::ReleaseMenuClickSound();
  ThreadedAppFrame::OnExit();  // closes the speaker
}

// Every input call: under the lock, to the current tree, then its request.
#define ZELPH_ROUTE(call)          \
  std::lock_guard guard(lock_);    \
  if (current_) {                  \
    ui::call;                      \
    HandleCurrentRequest();        \
  }                                \
  return S_OK

Result GameApp::OnKeyDown(std::uint32_t key, const KeyList& keys) { ZELPH_ROUTE(RouteKeyDown(*current_, key, keys)); }
Result GameApp::OnKeyUp(std::uint32_t key, const KeyList& keys) { ZELPH_ROUTE(RouteKeyUp(*current_, key, keys)); }
Result GameApp::OnStylusDown(int x, int y) { ZELPH_ROUTE(RouteStylusDown(*current_, x, y)); }
Result GameApp::OnStylusUp(int x, int y) { ZELPH_ROUTE(RouteStylusUp(*current_, x, y)); }
Result GameApp::OnStylusDoubleClick(int x, int y) { ZELPH_ROUTE(RouteStylusDoubleClick(*current_, x, y)); }
Result GameApp::OnStylusMove(int x, int y) { ZELPH_ROUTE(RouteStylusMove(*current_, x, y)); }
Result GameApp::OnWheel(std::uint32_t keyState, int, int x, int y, int notches) {
  ZELPH_ROUTE(RouteWheel(*current_, x, y, keyState, notches));
}
Result GameApp::OnChar(std::uint32_t character, std::intptr_t keyData) {
  ZELPH_ROUTE(RouteChar(*current_, character, keyData));
}

#undef ZELPH_ROUTE

std::intptr_t GameApp::WindowProc(const platform::Message& message) {
  if (message.id == platform::msg::kBeep) platform::Beep();
  if (message.id == platform::msg::kControllerRemoved) {
    std::lock_guard guard(lock_);
    PauseForLostController(current_, controller_->mainWindow());
    return 0;
  }
  return ThreadedAppFrame::WindowProc(message);
}

}  // namespace zelph::app
