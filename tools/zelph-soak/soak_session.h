// One run of the game under a watchdog: its standard output carries a line per drawn frame ("--heartbeat"),
// its standard error goes to a log, and the run fails on a crash, a sanitizer report, an exit status other
// than 0, or a pause of the heartbeat longer than the hang limit.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace zelph::soak {

enum class Outcome { kPassed, kCrashed, kSanitizer, kBadExit, kHung, kNotStarted };

struct SessionResult {
  Outcome outcome = Outcome::kNotStarted;
  std::uint32_t frames = 0;  // the last frame number the program reported
  int exitStatus = -1;       // -1 when it did not exit normally
  int signal = 0;            // the signal that ended it, when one did
  std::string detail;        // the first sanitizer line, or what else went wrong
};

// Runs `argv` (the program first) and waits for it. A hung program is killed.
SessionResult RunSession(const std::vector<std::string>& argv, const std::filesystem::path& errorLog,
                         std::chrono::milliseconds hangLimit);

// The first line of a sanitizer's report in a log, or empty.
std::string FindSanitizerReport(const std::filesystem::path& log);

const char* OutcomeName(Outcome outcome);

}  // namespace zelph::soak
