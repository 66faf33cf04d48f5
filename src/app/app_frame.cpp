#include "app/app_frame.h"

#include <cstdio>

#include "platform/build_variant.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "platform/virtual_keys.h"

namespace zelph::app {

using platform::Message;
namespace msg = platform::msg;

namespace {

constexpr Result kMissingDisplayLibrary = Code(0xC8660120);
constexpr Result kNot16BitDisplay = Code(0xC8660110);
constexpr const char* kFsGameActive = "propFSGameActive";

// The folder that holds the game's storage: the program path up to its second separator, as a removable
// card's mount point would be.
std::string StorageRoot(const std::string& modulePath) {
  std::size_t first = modulePath.find('/');
  if (first == std::string::npos) return modulePath;
  std::size_t second = modulePath.find('/', first + 1);
  return second == std::string::npos ? modulePath : modulePath.substr(0, second);
}

}  // namespace

AppFrame::AppFrame(const AppConfig& config, FramePlatform& platform, FrameOptions options)
    : config_(config),
      display_(std::move(platform.display)),
      window_(std::move(platform.window)),
      clock_(platform.clock ? platform.clock : &platform::SystemClock()),
      options_(std::move(options)) {
  if (!config_.className.empty()) {
    windowClass_ = config_.className;
  } else if (!config_.title.empty()) {
    windowClass_ = config_.title + " WndCls";
  }
  if (options_.lockstep) {
    // Reproducible runs take no pacing from the wall clock.
    config_.frameRate = 0;
    config_.threadFrameRate = 0;
    lockstep_ = std::make_unique<Lockstep>();
  }
  governor_ = std::make_unique<FrameGovernor>(*clock_);
}

AppFrame::~AppFrame() = default;

void AppFrame::Exit() {
  exitRequested_ = 1;
  if (lockstep_) lockstep_->Stop();
}

void AppFrame::RequestMinimize() { minimizeRequested_ = 1; }

Result AppFrame::SkipFrames(std::uint32_t count) {
  if (count == 0) return E_FAIL;
  skipFrames_ = count;
  return S_OK;
}

bool AppFrame::TakeSkippedFrame() {
  std::uint32_t left = skipFrames_.load();
  while (left > 0) {
    if (skipFrames_.compare_exchange_weak(left, left - 1)) return true;
  }
  return false;
}

Result AppFrame::SetFrameRate(std::uint32_t fps) {
  config_.frameRate = vsyncDisplay_ ? 0 : fps;
  governor_->Set(config_.frameRate);
  return S_OK;
}

void AppFrame::SetDisplayMode(std::uint32_t mode) {
  // The game thread may ask too; the configuration itself changes on the main thread, at the idle step.
  requestedMode_ = mode;
  modeChangePending_ = 1;
}

Result AppFrame::SetError(const char* text, Result code) {
  if (!text) {
    errorText_ = "Invalid error code description.";
    return E_FAIL;
  }
  if (code == kMissingDisplayLibrary) {
    errorText_ = "Missing or incorrect file: \"gx.dll\". Please copy this file to the \\windows folder on this device.";
  } else if (code == kNot16BitDisplay) {
    errorText_ = "This application requires a 16-bit Pocket PC or Smartphone.";
  } else {
    errorText_ = text;
    if (code != 0) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "\nError code=0x%x.", static_cast<unsigned>(code));
      errorText_ += buf;
    }
  }
  if (errorText_.size() >= kErrorTextMax) errorText_.resize(kErrorTextMax - 1);
  return S_OK;
}

Result AppFrame::OnInitInstance() { return S_OK; }
Result AppFrame::OnInitialize() { return S_OK; }
void AppFrame::OnExit() {}
void AppFrame::OnMinimize() {}
void AppFrame::OnRestore() {}
Result AppFrame::OnKeyDown(std::uint32_t, const KeyList&) { return S_OK; }
Result AppFrame::OnKeyUp(std::uint32_t, const KeyList&) { return S_OK; }
Result AppFrame::OnStylusDown(int, int) { return S_OK; }
Result AppFrame::OnStylusUp(int, int) { return S_OK; }
Result AppFrame::OnStylusDoubleClick(int, int) { return S_OK; }
Result AppFrame::OnStylusMove(int, int) { return S_OK; }

void AppFrame::PostQuit(int code) {
  if (window_) window_->PostMessage(Message{msg::kQuit, static_cast<std::uintptr_t>(code), 0});
}

void AppFrame::FullScreen(bool on) {
  auto& reg = platform::SystemRegistry();
  if (on) {
    std::uint32_t count = reg.ReadDword(platform::RootKey::LocalMachine, platform::kServiceSettingsKey, kFsGameActive)
                              .value_or(0);
    reg.WriteDword(platform::RootKey::LocalMachine, platform::kServiceSettingsKey, kFsGameActive, count + 1);
  } else {
    reg.WriteDword(platform::RootKey::LocalMachine, platform::kServiceSettingsKey, kFsGameActive, 0);
  }
}

Result AppFrame::CreateMainWindow() {
  if (!window_ || !window_->RegisterClass(windowClass_, config_.doubleClicks != 0)) {
    SetError(kErrRegisterClass, 0);
    return E_FAIL;
  }
  int width = display_ ? display_->Width() : 0;
  int height = display_ ? display_->Height() : 0;
  if (!window_->Create(config_.title, width, height)) {
    SetError(kErrCreateWindow, 0);
    return E_FAIL;
  }
  windowCreated_ = true;
  window_->BringToFront();
  FullScreen(true);
  // The desktop has no screen orientation to save; the display rotates its picture itself.
  savedOrientation_ = 0;
  return S_OK;
}

void AppFrame::DestroyMainWindow() {
  if (!windowCreated_) return;
  if (!(config_.displayMode & kDisplayModeKeepFullScreen)) FullScreen(false);
  window_->Destroy();
  windowCreated_ = false;
}

Result AppFrame::OpenDisplay() {
  if (config_.displayMode != 0) {
    Result r = display_->SetMode(config_.displayMode & 0xF);
    if (Failed(r)) {
      SetError(kErrDisplayMode, r);
      return r;
    }
  }
  Result r = display_->Open(config_.displayFlags, window_.get(), config_.smallWidth, config_.smallHeight,
                            config_.largeWidth, config_.largeHeight, config_.bitsPerPixel);
  if (Failed(r)) {
    SetError(kErrOpenDisplay, r);
    return r;
  }
  if ((config_.displayFlags & kDisplayFlagVsync) && (display_->Capabilities() & kCapsVsync)) {
    config_.frameRate = 0;
    vsyncDisplay_ = 1;
  }
  return S_OK;
}

Result AppFrame::Run() {
  if (!display_ || !governor_ || !display_->Usable()) {
    SetError(kErrOutOfMemory, 0);
    return E_FAIL;
  }
  if (config_.instance == 0 || config_.title.empty()) {
    SetError(kErrInvalidConfig, 0);
    return E_FAIL;
  }
  // A copy already running on this home was found by the start-up's instance lock, before anything here.
  Result r = OnInitInstance();
  if (Failed(r)) return r;
  r = CreateMainWindow();
  if (Failed(r)) return r;
  r = OpenDisplay();
  if (Failed(r)) {
    DestroyMainWindow();
    return r;
  }
  r = display_->OpenInput();
  if (Failed(r)) {
    display_->Close();
    DestroyMainWindow();
    return r;
  }

  exitRequested_ = 0;
  if (Failed(OnInitialize())) {
    exitRequested_ = 1;
  } else if (Failed(OnDisplayReady(*display_, config_.instance)) ||
             Failed(OnSurfacesReady(*display_, config_.instance))) {
    exitRequested_ = 1;
  }
  governor_->Set(config_.frameRate);

  bool aborted = false;
  std::uint32_t lastHookedStep = 0;
  while (!exitRequested_) {
    Message m;
    if (window_->PeekMessage(m)) {
      if (m.id == msg::kQuit) {
        aborted = static_cast<int>(m.wParam) == platform::kAbortQuitCode;
        break;
      }
      WindowProc(m);
      continue;
    }
    if (options_.beforeIdleStep && lastHookedStep != idleSteps_ + 1) {
      lastHookedStep = idleSteps_ + 1;
      // In lockstep the step's turn is taken before its scripted input is delivered, so that the input
      // always lands between the same two ticks (the draw that follows keeps the turn it already has).
      if (lockstep_) lockstep_->BeginDraw();
      options_.beforeIdleStep(lastHookedStep);
      continue;  // deliver what the hook posted before this step draws
    }
    ++idleSteps_;
    if (Failed(IdleStep())) exitRequested_ = 1;
  }

  if (!aborted) OnExit();
  display_->Close();
  display_->CloseInput();
  DestroyMainWindow();
  return S_OK;
}

Result AppFrame::IdleStep() {
  if (modeChangePending_.exchange(0)) {
    config_.displayMode = requestedMode_;
    Result r = display_->SetMode(config_.displayMode & 0xF);
    if (Failed(r)) {
      SetError(kErrDisplayMode, r);
      return r;
    }
    if (Failed(r = OnDisplayReady(*display_, config_.instance))) return r;
    if (Failed(r = OnSurfacesReady(*display_, config_.instance))) return r;
    governor_->Set(config_.frameRate);
  }
  if (minimizeRequested_.exchange(0)) window_->PostMessage(Message{msg::kMinimize, 0, 0});
  bool producing = active_ || config_.runWhenInactive;
  if (producing) {
    if (!TakeSkippedFrame()) {
      if (lockstep_) lockstep_->BeginDraw();
      Result r = DrawFrame(display_->BackSurface(), frameFlags_);
      if (Succeeded(r)) {
        ++framesDrawn_;
        if (options_.afterFrame) options_.afterFrame(framesDrawn_, *display_);
        if (screenshotPending_ && options_.onScreenshotKey) options_.onScreenshotKey(*display_);
        screenshotPending_ = false;
        // Stopping before the game thread gets its next turn keeps a lockstep run at one tick per frame.
        if (options_.maxFrames && framesDrawn_ >= options_.maxFrames) Exit();
      }
      if (lockstep_) lockstep_->EndDraw();
      if (Failed(r)) return r;
    }
  }
  if (active_) display_->Flip();

  frameFlags_ &= ~kFrameLateFlag;
  if (producing && governor_->Wait() == kFrameLate) frameFlags_ |= kFrameLateFlag;

  frameFlags_ &= ~kFrameAfterPause;
  if (!producing) {
    window_->WaitMessage(250);
    wasPaused_ = true;
  } else if (wasPaused_) {
    wasPaused_ = false;
    frameFlags_ |= kFrameAfterPause;
  }

  frameFlags_ &= ~kFrameRestored;
  if (active_ && display_->SurfacesLost()) {
    display_->RestoreSurfaces();
    Result r = OnSurfacesReady(*display_, config_.instance);
    if (Failed(r)) return r;
    frameFlags_ |= kFrameRestored;
  }
  clock_->Sleep(0);
  return S_OK;
}

std::intptr_t AppFrame::WindowProc(const Message& m) {
  switch (m.id) {
    case msg::kCreate:
      return 0;
    case msg::kDestroy:
      PostQuit(0);
      return 0;
    case msg::kActivate:
      if ((m.wParam & 0xFFFF) != 0) {
        if (!active_) {
          FullScreen(true);
          display_->OpenInput();
          display_->Resume();
          active_ = 1;
          OnRestore();
          governor_->Set(config_.frameRate);
        }
      } else if (config_.keepOnDeactivate && !exitRequested_ && active_) {
        window_->BringToFront();
      }
      return 0;
    case msg::kDesktopInactive:
      // Another desktop window took the focus: pause like a minimised game, but leave the window where it is.
      if (active_) {
        OnMinimize();
        active_ = 0;
        display_->CloseInput();
        display_->Suspend();
      }
      return 0;
    case msg::kSysCommand:
      if ((m.wParam & 0xFFF0) == platform::kScClose) exitRequested_ = 1;
      return 0;
    case msg::kScreenshot:
      screenshotPending_ = true;
      return 0;
    case msg::kMinimize:
      if (active_) {
        OnMinimize();
        active_ = 0;
        FullScreen(false);
        window_->Minimize();
        display_->CloseInput();
        display_->Suspend();
      }
      return 0;
    case msg::kAbort: {
      std::unique_ptr<std::string> text = platform::TakeMessageText(m);
      SetError(text ? text->c_str() : nullptr, 0);
      PostQuit(platform::kAbortQuitCode);
      platform::Beep();
      return 0;
    }
    case msg::kShellChange: {
      std::unique_ptr<std::string> path = platform::TakeMessageText(m);
      constexpr std::uint32_t kWatched =
          platform::kMediaInserted | platform::kMediaRemoved | platform::kDriveRemoved | platform::kDriveAdded;
      std::string module = platform::ModulePath().string();
      if ((m.wParam & kWatched) && path && *path == StorageRoot(module)) {
        SetError(module.c_str(), 0);
        PostQuit(platform::kAbortQuitCode);
        platform::Beep();
      }
      return 0;
    }
    case msg::kKeyDown:
      if ((m.lParam & platform::kKeyRepeatBit) || m.wParam == platform::vk::kIgnored) return 0;
      OnKeyDown(static_cast<std::uint32_t>(m.wParam), display_->Keys());
      return 0;
    case msg::kKeyUp:
      OnKeyUp(static_cast<std::uint32_t>(m.wParam), display_->Keys());
      return 0;
    case msg::kStylusMove:
    case msg::kStylusDown:
    case msg::kStylusUp:
    case msg::kStylusDoubleClick: {
      if (m.id == msg::kStylusMove && !active_) return 0;
      int x = platform::PointX(m.lParam), y = platform::PointY(m.lParam);
      display_->MapPoint(x, y);
      if (m.id == msg::kStylusMove) OnStylusMove(x, y);
      if (m.id == msg::kStylusDown) OnStylusDown(x, y);
      if (m.id == msg::kStylusUp) OnStylusUp(x, y);
      if (m.id == msg::kStylusDoubleClick) OnStylusDoubleClick(x, y);
      return 0;
    }
    default:
      platform::DiscardMessagePayload(m);
      return 0;
  }
}

}  // namespace zelph::app
