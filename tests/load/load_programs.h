// The program and packs the load tests run, from the build, and a scratch home folder per test.
#pragma once

#include <string>
#include <vector>

#include "test_support/temp_dir.h"

namespace zelph::test {

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
