// The program and packs the load tests run, from the build, and a scratch home folder per test.
#pragma once

#include <string>
#include <vector>

#include "test_support/temp_dir.h"

namespace zelph::test {

#if defined(__SANITIZE_ADDRESS__)
// The program is built as these tests are. AddressSanitizer checks every memory access of the drawing loops
// and keeps shadow memory, redzones and bookkeeping beside the game's own: measured on the same runs, an
// optimised build drew the idle menu for 2.3 % of a core against 4.5 % here, and peaked at 24 MiB against
// 70 MiB (with the quarantine of freed blocks off, see the memory test). The limits, set for the game itself,
// are scaled by these factors (rounded up) under the sanitizer.
inline constexpr double kSanitizerCpuFactor = 2;
inline constexpr double kSanitizerMemoryFactor = 2;
#else
inline constexpr double kSanitizerCpuFactor = 1;
inline constexpr double kSanitizerMemoryFactor = 1;
#endif

inline const std::string kVgaProgram = ZELPH_VGA_PROGRAM;
inline const std::string kVgaData = ZELPH_VGA_DATA;

// The headless program on a home folder and the default packs, with what follows.
inline std::vector<std::string> GameCommand(const std::filesystem::path& home, std::vector<std::string> more) {
  std::vector<std::string> argv = {kVgaProgram, "--headless", "--heartbeat", "--home", home.string(),
                                   "--data", kVgaData};
  argv.insert(argv.end(), more.begin(), more.end());
  return argv;
}

}  // namespace zelph::test
