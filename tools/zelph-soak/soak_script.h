// Random but seeded input for a soak run: the same seed and targets always give the same script, in the
// game's input-script form (one event per line at an idle step of the frame loop).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelph::soak {

struct TapPoint {
  int x = 0;
  int y = 0;
};

struct ScriptTargets {
  int width = 640;
  int height = 480;
  std::vector<TapPoint> taps;  // where the screens have something to press; random points are added anyway
};

// Events from step 1 up to `steps`: keys (held briefly or long), stylus taps on the targets and anywhere,
// drags, double clicks, wheel notches, focus lost and gained again, Escape and back, and typed names. Every
// key and stylus press is released and every focus loss is followed by a gain within a few steps, so that the
// game keeps drawing frames for the watchdog.
std::string MakeScript(std::uint32_t seed, const ScriptTargets& targets, std::uint32_t steps);

}  // namespace zelph::soak
