// The desktop options of the programs. They are kept apart from the game's own command line (whatever is not
// an option), which the game compares as a whole with its one switch.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zelph::app {

struct Options {
  std::filesystem::path home;       // empty: the default home folder
  std::filesystem::path data;       // empty: the data folder the build produced
  bool headless = false;
  bool sound = false;  // with headless: open the sound device SDL_AUDIODRIVER names (e.g. disk) after all
  bool fullScreen = false;
  std::uint32_t scale = 0;  // window size in picture sizes; 0: the largest whole scale that fits, at most 3
  bool exitOnDeactivate = false;
  bool lockstep = false;
  std::uint32_t frames = 0;
  std::optional<std::uint32_t> seed;
  std::filesystem::path inputScript;
  struct Screenshot {
    std::uint32_t frame;
    std::filesystem::path file;
  };
  std::vector<Screenshot> screenshots;  // written after the numbered drawn frame
  std::vector<Screenshot> dumps;        // game-state snapshots, after the numbered drawn frame
  struct Play {
    std::uint32_t difficulty = 1;
    std::uint32_t level = 1;
  };
  std::optional<Play> play;  // straight into a game, the tester's shortcut
  bool help = false;
  bool version = false;
  std::string commandLine;  // the game's own command line
};

struct OptionsResult {
  std::optional<Options> options;
  std::string error;  // set when options is empty
};

OptionsResult ParseOptions(const std::vector<std::string>& args);
std::string UsageText(const char* programName);
// The program's name, version and build, one line each for the name and version and for the build.
std::string VersionText(const char* programName);

// The largest window scale --scale accepts.
inline constexpr std::uint32_t kMaxScale = 8;  // 5120 x 3840 for the large program: a 5K desktop

}  // namespace zelph::app
