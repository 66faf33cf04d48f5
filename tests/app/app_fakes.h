// Stand-ins for the window, display, clock and control tree, so the frame runs on injected messages.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "app/frame_display.h"
#include "app/game_app.h"
#include "gfx/key_input.h"
#include "platform/clock.h"
#include "platform/home.h"
#include "platform/window.h"
#include "test_support/temp_dir.h"
#include "ui/control.h"

namespace zelph::app::test {

class FakeClock final : public platform::Clock {
 public:
  // Relaxed: a real clock orders nothing between the threads, and neither may the fake, or ThreadSanitizer
  // would take its counter for synchronisation and miss races between them.
  std::uint32_t Now() override { return now.load(std::memory_order_relaxed); }
  void Sleep(std::uint32_t ms) override {
    now.fetch_add(ms, std::memory_order_relaxed);
    slept.fetch_add(ms, std::memory_order_relaxed);
    // Time passes at once, but a waiting thread still gives the others a turn.
    if (ms > 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  std::atomic<std::uint32_t> now{1000};
  std::atomic<std::uint32_t> slept{0};
};

struct WindowLog {
  std::atomic<int> created{0}, destroyed{0}, raised{0}, minimized{0}, presented{0};
};

class FakeWindow final : public platform::Window {
 public:
  explicit FakeWindow(WindowLog& log) : log_(log) {}
  bool RegisterClass(std::string_view, bool) override { return registerOk; }
  bool Create(std::string_view, int, int) override {
    if (!createOk) return false;
    exists_ = true;
    ++log_.created;
    return true;
  }
  void Destroy() override {
    if (exists_) ++log_.destroyed;
    exists_ = false;
  }
  bool Exists() const override { return exists_; }
  bool PeekMessage(platform::Message& out) override { return queue.Pop(out); }
  void WaitMessage(std::uint32_t ms) override { queue.WaitFor(ms > 5 ? 5 : ms); }
  bool PostMessage(const platform::Message& m) override { return queue.Post(m); }
  void BringToFront() override { ++log_.raised; }
  void Minimize() override { ++log_.minimized; }
  void SetFullScreen(bool) override {}
  platform::ForeignWindow DescribeWindow(std::intptr_t handle) override {
    auto it = others.find(handle);
    return it == others.end() ? platform::ForeignWindow{} : it->second;
  }
  void Present(const std::uint16_t*, int, int, int) override { ++log_.presented; }

  platform::MessageQueue queue;
  std::map<std::intptr_t, platform::ForeignWindow> others;
  bool registerOk = true;
  bool createOk = true;

 private:
  WindowLog& log_;
  bool exists_ = false;
};

class FakeDisplay final : public FrameDisplay {
 public:
  Result SetMode(std::uint32_t mode) override {
    lastMode = mode;
    ++modeChanges;
    return setModeResult;
  }
  Result Open(std::uint32_t, platform::Window*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
              std::uint32_t) override {
    if (Succeeded(openResult)) open = true;
    return openResult;
  }
  void Close() override { open = false; }
  Result Suspend() override {
    suspended = true;
    ++suspends;
    return S_OK;
  }
  Result Resume() override {
    suspended = false;
    ++resumes;
    return S_OK;
  }
  Result Flip() override {
    ++flips;
    return S_OK;
  }
  std::uint32_t Capabilities() const override { return 0; }
  bool SurfacesLost() const override { return false; }
  Result RestoreSurfaces() override { return S_OK; }
  gfx::Surface* BackSurface() override { return &back; }
  int Width() const override { return 640; }
  int Height() const override { return 480; }
  void MapPoint(int& x, int& y) const override {
    // A half-turn, so tests can see that points pass through the display's mapping.
    if (rotate) {
      x = 639 - x;
      y = 479 - y;
    }
  }
  const std::uint16_t* BackPixels(int&, int&, int&) const override { return nullptr; }
  Result OpenInput() override {
    inputOpen = true;
    return openInputResult;
  }
  Result CloseInput() override {
    inputOpen = false;
    return S_OK;
  }
  KeyList Keys() const override { return gfx::DesktopKeys(); }

  FakeDisplay() { back.CreateSurface(0, 640, 480); }

  gfx::Surface back;
  Result setModeResult = S_OK;
  Result openResult = S_OK;
  Result openInputResult = S_OK;
  bool open = false, suspended = false, inputOpen = false, rotate = false;
  int suspends = 0, resumes = 0;
  std::atomic<int> flips{0};
  int modeChanges = 0;
  std::uint32_t lastMode = 0;
};

// The root of a control tree that records what reaches it.
class FakeClient final : public ui::Control {
 public:
  FakeClient() { Create(1, gfx::Rect{0, 0, 640, 480}, nullptr, 0); }
  Result Draw(gfx::Surface&, int, int, const gfx::Rect& clip) override {
    ++draws;
    lastClip = clip;
    return drawResult;
  }
  Result Tick(std::uint32_t) override {
    ++ticks;
    if (onTick) onTick();
    return S_OK;
  }
  Result KeyDown(int code, std::uint32_t raw) override { return Log("keydown", raw, code); }
  Result KeyUp(int code, std::uint32_t raw) override { return Log("keyup", raw, code); }
  Result Char(std::uint32_t c, std::intptr_t) override { return Log("char", c, 0); }
  Result StylusDown(int x, int y, std::uint32_t) override { return Log("down", x, y); }
  Result StylusUp(int x, int y, std::uint32_t) override { return Log("up", x, y); }
  Result StylusDoubleClick(int x, int y, std::uint32_t) override { return Log("dblclick", x, y); }
  Result StylusMove(int x, int y, std::uint32_t) override { return Log("move", x, y); }
  Result Wheel(int x, int y, std::uint32_t keys, int notches) override {
    wheelAt = {x, y};
    return Log("wheel", notches, keys);
  }

  struct Event {
    std::string what;
    long a, b;
  };
  std::vector<Event> events;
  std::atomic<int> draws{0}, ticks{0};
  std::function<void()> onTick;  // on the game thread, under the application lock
  gfx::Rect lastClip;
  struct {
    int x = -1, y = -1;
  } wheelAt;
  Result drawResult = S_OK;

 private:
  Result Log(const char* what, long a, long b) {
    events.push_back({what, a, b});
    return S_OK;
  }
};

class RecordingHandler final : public RequestHandler {
 public:
  bool HandleRequest(std::uint32_t value) override {
    seen.push_back(value);
    return value == handles;
  }
  std::uint32_t handles = 64;
  std::vector<std::uint32_t> seen;
};

// A game application whose exit and minimise hooks can be watched.
class TestApp : public GameApp {
 public:
  using GameApp::GameApp;
  // The frame's tests run without resource packs unless they ask for them.
  Result OnInitInstance() override { return loadResources ? GameApp::OnInitInstance() : S_OK; }
  bool loadResources = false;
  void OnExit() override {
    ++exits;
    GameApp::OnExit();
  }
  void OnMinimize() override { ++minimizes; }
  void OnRestore() override { ++restores; }
  using GameApp::IdleStep;
  using GameApp::TakeSkippedFrame;
  std::uint32_t skipFramesLeft() const { return skipFrames_; }
  bool WaitGameThreadParked() { return thread_.WaitUntilParked(); }
  std::atomic<int> exits{0}, minimizes{0}, restores{0};
};

struct Rig {
  // What the application writes on its way out (the score file, the settings) stays in a folder of its own.
  zelph::test::TempDir home;
  WindowLog log;
  FakeWindow* window = nullptr;
  FakeDisplay* display = nullptr;
  FakeClock clock;
  std::unique_ptr<TestApp> app;

  explicit Rig(AppConfig config = DefaultConfig(), FrameOptions options = {}) {
    FramePlatform p;
    auto w = std::make_unique<FakeWindow>(log);
    auto d = std::make_unique<FakeDisplay>();
    window = w.get();
    display = d.get();
    p.window = std::move(w);
    p.display = std::move(d);
    p.clock = &clock;
    platform::SetHomeDir(home.path());
    app = std::make_unique<TestApp>(config, SoundConfig{}, std::move(p), std::move(options));
  }
  ~Rig() {
    app.reset();
    platform::SetHomeDir({});
  }
  Rig(const Rig&) = delete;
  Rig& operator=(const Rig&) = delete;

  static AppConfig DefaultConfig() {
    AppConfig c;
    c.instance = 1;
    c.title = "Test Game";
    c.frameRate = 30;
    c.threadFrameRate = 30;
    return c;
  }
};

}  // namespace zelph::app::test
