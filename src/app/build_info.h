// What this build is: the game's version and an identification of the build, for --version and reports.
#pragma once

#include <string>

namespace zelph::app {

inline constexpr const char* kGameVersion = "1.1";

// The source revision (when the build was configured from a git checkout), the build type and the time the
// build was made, e.g. "e8c8587 Debug, Dec  8 2026 14:00:00".
std::string BuildId();

}  // namespace zelph::app
