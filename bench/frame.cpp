// The cost of the game's frames against their budget of 1/30 s, at 640 x 480 with the default packs: one
// frame (the game thread's tick, the draw into the back buffer and the presentation from it, without waiting
// for the screen) on the busiest default level and on a level crowded with 40 balls; the largest capture of
// a scripted cut on the busiest level; and the time from starting the program to its first drawn frame of the
// intro, against 300 ms. After Google Benchmark's table it prints one "RATIO case value" line per target
// (median CPU time, or real time for the start, over the budget): lower is better.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/resources.h"
#include "game/game_world.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/key_input.h"
#include "objects/object_kinds.h"
#include "platform/hss_speaker.h"
#include "platform/home.h"
#include "platform/random.h"
#include "platform/window.h"
#include "screens/game_screen.h"
#include "ratio_reporter.h"
#include "sound/sound_globals.h"
#include "ui/control_tree.h"

namespace {

using namespace zelph;

constexpr int kWidth = 640, kHeight = 480;
constexpr double kFrameBudget = 1.0 / 30;
constexpr double kStartBudget = 0.300;
constexpr std::int32_t kBallType = 100000;
constexpr std::size_t kCrowd = 40;
constexpr int kSettleFrames = 120;  // the level's number has gone and the objects are under way

// Shows nothing: presentation ends in the display's frame buffer, as it would before the screen's own copy.
class NullWindow final : public platform::Window {
 public:
  bool RegisterClass(std::string_view, bool) override { return true; }
  bool Create(std::string_view, int, int) override { return exists_ = true; }
  void Destroy() override { exists_ = false; }
  bool Exists() const override { return exists_; }
  bool PeekMessage(platform::Message&) override { return false; }
  void WaitMessage(std::uint32_t) override {}
  bool PostMessage(const platform::Message&) override { return true; }
  void BringToFront() override {}
  void Minimize() override {}
  void SetFullScreen(bool) override {}
  platform::ForeignWindow DescribeWindow(std::intptr_t) override { return {}; }
  void Present(const std::uint16_t* pixels, int, int, int) override { benchmark::DoNotOptimize(pixels); }

 private:
  bool exists_ = false;
};

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "zelph-bench-frame: %s\n", why.c_str());
  std::exit(1);
}

std::filesystem::path MakeHome(const char* name) {
  std::string pattern = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
  if (!::mkdtemp(pattern.data())) Fail("cannot make a home folder");
  return pattern;
}

// The game as the application sets it up, without window, sound device or threads: the default packs, the
// display with its back buffer, and the globals the controls draw with.
// The game screen alone under a black root, starting a new game at a chosen level; what the screen signals
// (a level won, the game over, the menu button) is taken and ignored, so a long run stays on its level.
class BenchRoot : public ui::Control {
 public:
  Result Start(const gfx::Rect& screen, std::int32_t difficulty, std::int32_t level) {
    if (Result r = Control::Create(1, screen, nullptr, 0); Failed(r)) return r;
    if (Result r = game_.Create(screens::kGameScreenId, screen, this, 0); Failed(r)) return r;
    return game_.NewGame(difficulty, level);
  }
  Result Draw(gfx::Surface& target, int originX, int originY, const ui::Rect&) override {
    const gfx::Rect area{originX + rect.left, originY + rect.top, originX + rect.right, originY + rect.bottom};
    return gfx::FillRect(target, &area, 0);
  }
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override {
    if (code == screens::kCommandLevelWon || code == screens::kSignalGameOver || code == screens::kMenuButtonId) {
      return ui::kConsumed;
    }
    return Control::Notify(code, argument, senderId);
  }
  screens::GameScreen& Game() { return game_; }

 private:
  screens::GameScreen game_;
};

struct Game {
  std::filesystem::path home = MakeHome("zelph-bench-frame");
  NullWindow window;
  gfx::Display display{kWidth, kHeight};
  platform::hssSpeaker speaker;  // silent: it has no output
  config::UserSettingsFile settings;

  Game() {
    platform::SetHomeDir(home);
    objects::RegisterObjectKinds(game::ObjectFactory::Global());
    if (config::RegisterDefaultPacks(ZELPH_VGA_DATA) == 0 || config::LoadResources(settings) != S_OK) {
      Fail("the packs of " ZELPH_VGA_DATA " do not load");
    }
    window.Create("bench", kWidth, kHeight);
    if (Failed(display.Open(0, &window, 16))) Fail("the display does not open");
    ui::ResetControlGlobals();
    ui::SetBackSurface(display.BackBuffer());
    ui::SetDeviceKeys(gfx::DesktopKeys());
    sound::PublishSpeaker(&speaker);
    sound::PublishSoundResources(&config::GlobalPackList(), &config::SoundDocument());
  }
  ~Game() {
    sound::PublishSoundResources(nullptr, nullptr);
    sound::PublishSpeaker(nullptr);
    ui::ResetControlGlobals();
    ui::SetBackSurface(nullptr);
    display.Close();
    config::ReleaseResources();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
  }

  static Game& Get() {
    static Game game;
    return game;
  }

  // A new game on the level, with the random numbers fixed so that every run places the same.
  std::unique_ptr<BenchRoot> Play(std::int32_t difficulty, std::int32_t level) {
    platform::SetFixedSeed(7);
    auto root = std::make_unique<BenchRoot>();
    if (Failed(root->Start(gfx::Rect{0, 0, kWidth, kHeight}, difficulty, level))) {
      Fail("level " + std::to_string(difficulty) + ":" + std::to_string(level) + " does not start");
    }
    return root;
  }

  void Frame(ui::Control& root) {
    ui::TickTree(root, 0);
    ui::DrawTree(root, *display.BackBuffer(), 0, 0, gfx::Rect{0, 0, kWidth, kHeight});
    display.Flip();
  }
};

// The default level with the most objects on it.
std::pair<std::int32_t, std::int32_t> BusiestLevel() {
  Game& game = Game::Get();
  const config::ConfigDocument& doc = config::GameDocument();
  std::pair<std::int32_t, std::int32_t> best{1, 1};
  std::size_t most = 0;
  for (int i = doc.FirstSection(); i >= 0; i = doc.NextSection(i)) {
    const config::ConfigSection* s = doc.SectionAt(i);
    if (!s || std::string_view(s->Name()) != "level") continue;
    const std::int32_t d = s->GetInt("difficulty", -1), l = s->GetInt("level_num", -1);
    if (d < 1 || l < 1) continue;
    const std::size_t count = game.Play(d, l)->Game().world.objects.size();
    if (count > most) {
      most = count;
      best = {d, l};
    }
  }
  return best;
}

std::uint32_t BallDefinition() {
  const config::ConfigDocument& doc = config::GameDocument();
  for (int i = doc.FirstSection(); i >= 0; i = doc.NextSection(i)) {
    const config::ConfigSection* s = doc.SectionAt(i);
    if (s && std::string_view(s->Name()) == "enemy" && s->GetInt("type", -1) == kBallType) {
      return s->GetNumber("ID", 0);
    }
  }
  Fail("the game document defines no ball");
}

void RunFrames(benchmark::State& state, ui::Control& root) {
  Game& game = Game::Get();
  for (int i = 0; i < kSettleFrames; ++i) game.Frame(root);
  for (auto _ : state) {
    game.Frame(root);
    benchmark::ClobberMemory();
  }
}

void FrameBusiestLevel(benchmark::State& state) {
  static const auto level = BusiestLevel();
  auto root = Game::Get().Play(level.first, level.second);
  state.SetLabel("level " + std::to_string(level.first) + ":" + std::to_string(level.second) + ", " +
                 std::to_string(root->Game().world.objects.size()) + " objects");
  RunFrames(state, *root);
}

// The first default level with balls added at random places until 40 objects move on it besides the head.
void FrameFortyBalls(benchmark::State& state) {
  static const std::uint32_t ball = BallDefinition();
  auto root = Game::Get().Play(1, 1);
  game::GameWorld& world = root->Game().world;
  std::size_t moving = 0;
  for (const auto& o : world.objects) moving += o.get() != world.Head();
  while (moving < kCrowd) {
    auto object = world.CreateObject(ball, -1, -1);
    if (!object) Fail("a ball cannot be made");
    world.objects.push_back(std::move(object));
    ++moving;
  }
  state.SetLabel(std::to_string(world.objects.size()) + " objects");
  RunFrames(state, *root);
}

// A cut straight down the busiest level, from border to border, beside the objects on its widest empty side:
// the largest region a single cut there can take, and the other side flooded to find that it is guarded.
// The field is put back outside the timed part.
void CaptureLargest(benchmark::State& state) {
  static const auto level = BusiestLevel();
  auto root = Game::Get().Play(level.first, level.second);
  game::GameWorld& world = root->Game().world;
  game::CellGrid& grid = world.grid;
  const std::int32_t w = grid.Width(), h = grid.Height(), midY = h / 2;
  std::int32_t left = w, right = -1;
  for (const auto& o : world.objects) {
    if (o.get() == world.Head()) continue;
    left = std::min(left, o->CellX() - o->radius - 2);
    right = std::max(right, o->CellX() + o->radius + 2);
  }
  if (right < 0) left = right = w / 2;
  const std::int32_t cutX = (w - right > left) ? right : left;
  std::int32_t top = midY, bottom = midY;
  while (top > 0 && grid.At(cutX, top - 1) == game::CELL_OPEN) --top;
  while (bottom < h - 1 && grid.At(cutX, bottom + 1) == game::CELL_OPEN) ++bottom;

  game::CellGrid savedGrid;
  gfx::Surface savedTexture;
  if (Failed(savedGrid.Create(w, h, 0)) || Failed(savedTexture.CreateSurface(0, w, h))) Fail("no memory");
  savedGrid.CopyFrom(grid);
  gfx::Blt(savedTexture, 0, 0, &world.texture, nullptr);
  const std::int32_t percent = world.percent, lastPercent = world.lastPercent;
  auto restore = [&] {
    grid.CopyFrom(savedGrid);
    gfx::Blt(world.texture, 0, 0, &savedTexture, nullptr);
    world.percent = percent;
    world.lastPercent = lastPercent;
    for (std::int32_t y = top; y <= bottom; ++y) grid.At(cutX, y) = game::CELL_CUT;
    world.RedrawField();
  };
  restore();
  std::int32_t taken = 0;
  for (auto _ : state) {
    world.Capture({cutX - 1, midY}, {cutX + 1, midY}, {cutX, top});
    benchmark::ClobberMemory();
    state.PauseTiming();
    taken = game::GameWorld::MeasurePercent(grid) - percent;
    restore();
    state.ResumeTiming();
  }
  if (taken <= 0) state.SkipWithError("the cut captured nothing");
  state.SetLabel("level " + std::to_string(level.first) + ":" + std::to_string(level.second) + ", " +
                 std::to_string(taken) + " % taken");
}

// Real time from the start of the program to the line it prints after its first drawn frame, the intro's,
// on a home folder that has been started in before; the program is then left to end on its own.
void StartToFirstFrame(benchmark::State& state) {
  static const std::filesystem::path home = MakeHome("zelph-bench-start");
  const std::vector<std::string> argv = {ZELPH_VGA_PROGRAM, "--headless", "--heartbeat", "--frames", "1",
                                         "--home", home.string(), "--data", ZELPH_VGA_DATA};
  auto run = [&]() -> double {
    int beat[2];
    if (::pipe(beat) != 0) Fail("no pipe");
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
      ::dup2(beat[1], 1);
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 2);
      ::close(beat[0]);
      ::execv(args[0], args.data());
      ::_exit(127);
    }
    ::close(beat[1]);
    char buffer[64];
    const bool seen = child > 0 && ::read(beat[0], buffer, sizeof buffer) > 0;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::close(beat[0]);
    int status = 0;
    if (child > 0) ::waitpid(child, &status, 0);
    if (!seen) Fail("the program drew no frame");
    return seconds;
  };
  run();  // the first start registers the packs and makes the settings
  for (auto _ : state) state.SetIterationTime(run());
}

// Each case is measured a few times and the median kept: the machine is shared, and one disturbed run
// should not decide a ratio.
void Add(const char* name, void (*fn)(benchmark::State&)) {
  benchmark::RegisterBenchmark(name, fn)->Repetitions(5)->ReportAggregatesOnly(true)->MinTime(0.2);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Add("frame/busiest_level", FrameBusiestLevel);
  Add("frame/forty_balls", FrameFortyBalls);
  Add("capture/largest", CaptureLargest);
  benchmark::RegisterBenchmark("start/first_frame", StartToFirstFrame)
      ->UseManualTime()
      ->Iterations(3)
      ->Repetitions(5)
      ->ReportAggregatesOnly(true);
  zelph::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintBudgetRatio("frame_busy_vs_budget", "frame/busiest_level", kFrameBudget);
  reporter.PrintBudgetRatio("frame_forty_balls_vs_budget", "frame/forty_balls", kFrameBudget);
  reporter.PrintBudgetRatio("capture_vs_budget", "capture/largest", kFrameBudget);
  reporter.PrintBudgetRatio("startup_vs_budget", "start/first_frame", kStartBudget, true);
  benchmark::Shutdown();
  return 0;
}
