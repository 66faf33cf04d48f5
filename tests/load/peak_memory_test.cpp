// The most memory a whole scripted game takes: 2,000 frames of steering, cutting, dying and the menus,
// read as the program's peak resident size.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "load/load_programs.h"
#include "test_support/peak_memory.h"

namespace zelph::test {
namespace {

constexpr std::uint32_t kFrames = 2000;
constexpr std::size_t kMostBytes = 64 * kMiB;

// Rectangles cut from the top border into the field and back, again and again, so that captures run and
// the balls get their chances at the head; then the in-game menu and back.
std::string SteeringScript() {
  std::string text;
  std::uint32_t step = 10;
  const char* legs[] = {"Down", "Right", "Up", "Left"};
  for (int round = 0; step < kFrames; ++round) {
    for (int leg = 0; leg < 4; ++leg) {
      const std::uint32_t hold = 20 + static_cast<std::uint32_t>((round * 7 + leg * 13) % 50);
      text += std::to_string(step) + " keydown " + legs[(leg + round) % 4] + "\n";
      text += std::to_string(step + hold) + " keyup " + legs[(leg + round) % 4] + "\n";
      step += hold + 1;
    }
    if (round % 5 == 4) {
      text += std::to_string(step) + " keydown Escape\n" + std::to_string(step + 1) + " keyup Escape\n";
      text += std::to_string(step + 20) + " keydown Escape\n" + std::to_string(step + 21) + " keyup Escape\n";
      step += 22;
    }
  }
  return text;
}

TEST(PeakMemory, AScriptedGameOfTwoThousandFramesStaysUnder64MiB) {
  TempDir home;
  const std::filesystem::path script = home.path() / "steer.script";
  std::ofstream(script) << SteeringScript();
  std::vector<std::string> argv = {kVgaProgram, "--headless", "--lockstep", "--seed", "5", "--play",
                                   "--frames", std::to_string(kFrames), "--input", script.string(),
                                   "--home", (home.path() / "home").string(), "--data", kVgaData};
#if defined(__SANITIZE_ADDRESS__)
  // Freed blocks held back to catch late uses would count as the game's own memory.
  const char* asan = std::getenv("ASAN_OPTIONS");
  const std::string before = asan ? asan : "";
  setenv("ASAN_OPTIONS", (before + ":quarantine_size_mb=0:thread_local_quarantine_size_kb=0").c_str(), 1);
#endif
  const ProgramRun run = RunProgram(argv, (home.path() / "memory.log").string());
#if defined(__SANITIZE_ADDRESS__)
  setenv("ASAN_OPTIONS", before.c_str(), 1);
#endif
  ASSERT_EQ(run.exitCode, 0) << "see " << home.path() / "memory.log";
  const double limit = static_cast<double>(kMostBytes) * kSanitizerMemoryFactor;
  std::printf("peak resident size of a %u-frame game: %.1f MiB (limit %.0f MiB)\n", kFrames,
              static_cast<double>(run.peakBytes) / kMiB, limit / kMiB);
  RecordProperty("peak_mib", std::to_string(static_cast<double>(run.peakBytes) / kMiB));
  EXPECT_GT(run.peakBytes, 0u);
  EXPECT_LE(static_cast<double>(run.peakBytes), limit);
}

}  // namespace
}  // namespace zelph::test
