// The sessions of a soak run: which seed, start and command line each one gets, all drawn from the run's seed
// so that a failing session can be run again alone.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "soak_content.h"

namespace zelph::soak {

struct PlanOptions {
  std::filesystem::path program;
  std::filesystem::path data;
  std::filesystem::path work;  // the home folder, the script and the log of the current session
  std::uint32_t seed = 0;
  std::uint32_t frames = 1500;  // drawn frames per session
};

struct Session {
  std::uint32_t seed = 0;  // of the game and of its input script
  std::string start;       // "menus" or "level D:L"
  std::vector<std::string> argv;
  std::filesystem::path script;
  std::filesystem::path log;
};

// Every third session starts on the menus; the others start on the levels in turn, from a level the run's
// seed picks, so that consecutive runs cover different levels first.
Session PlanSession(const PlanOptions& plan, const Content& content, std::uint32_t index);

// The command line as a shell would take it back (arguments quoted).
std::string CommandLine(const std::vector<std::string>& argv);

}  // namespace zelph::soak
