// What the game costs while it waits on the main menu, paced by its real frame governors (no lockstep): the
// two threads must sleep out their frames, not spin.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "load/load_programs.h"
#include "load/running_program.h"

namespace zelph::test {
namespace {

constexpr std::uint32_t kMenuShown = 240;  // the intro has ended by itself and the menu's buttons are in
constexpr double kSeconds = 10;
constexpr double kMostShare = 0.03;

TEST(IdleCost, TheMainMenuTakesAtMostThreePercentOfOneCore) {
  TempDir home;
  RunningProgram game(GameCommand(home.path(), {}), home.path() / "idle.log");
  ASSERT_TRUE(game.started());
  ASSERT_TRUE(game.WaitForFrame(kMenuShown, std::chrono::seconds(60))) << "no main menu (frame " << game.lastFrame() << ")";
  const auto wallStart = std::chrono::steady_clock::now();
  const std::optional<double> cpuStart = game.CpuSeconds();
  const std::uint32_t frameStart = game.lastFrame();
  // Frames keep being read meanwhile, so that the pipe never fills.
  game.WaitForFrame(0xFFFFFFFFu, std::chrono::milliseconds(static_cast<int>(kSeconds * 1000)));
  const std::optional<double> cpuEnd = game.CpuSeconds();
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  const std::uint32_t frames = game.lastFrame() - frameStart;
  ASSERT_TRUE(cpuStart && cpuEnd);
  game.Kill();
  game.Wait();

  const double share = (*cpuEnd - *cpuStart) / wall;
  std::printf("idle cost on the main menu: %.2f %% of one core over %.1f s (%u frames drawn; limit %.0f %%)\n",
              share * 100, wall, frames, kMostShare * kSanitizerCpuFactor * 100);
  RecordProperty("idle_share_percent", std::to_string(share * 100));
  // Paced at 30 frames a second: a governor that did not sleep would draw far more, one that overslept less.
  EXPECT_LE(frames / wall, 31.0);
  EXPECT_GE(frames / wall, 24.0);
  EXPECT_LE(share, kMostShare * kSanitizerCpuFactor);
}

}  // namespace
}  // namespace zelph::test
