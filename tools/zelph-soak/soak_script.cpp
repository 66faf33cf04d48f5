#include "soak_script.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <random>

namespace zelph::soak {

namespace {

constexpr std::array<const char*, 13> kKeys = {"Left",  "Right",     "Up",  "Down", "Enter", "Escape", "Z",
                                               "X",     "C",         "Tab", "Space", "Backspace", "F1"};
constexpr std::array<const char*, 4> kArrows = {"Left", "Right", "Up", "Down"};

// Events are collected per step first: a release scheduled later must not be written before the step order
// of the script.
class Builder {
 public:
  Builder(std::uint32_t seed, const ScriptTargets& targets, std::uint32_t steps)
      : rng_(seed), targets_(targets), steps_(steps) {}

  std::string Build() {
    std::uint32_t step = 1;
    while (step < steps_) {
      step = Act(step);
      step += Pick(1, 12);
    }
    std::string text = "# zelph-soak input\n";
    // Releases that fall after the last step are kept: the run may go on longer than the script.
    for (const auto& [at, lines] : events_) {
      for (const std::string& line : lines) text += std::to_string(at) + " " + line + "\n";
    }
    return text;
  }

 private:
  std::uint32_t Pick(std::uint32_t low, std::uint32_t high) {
    return std::uniform_int_distribution<std::uint32_t>(low, high)(rng_);
  }

  void At(std::uint32_t step, std::string line) { events_[step].push_back(std::move(line)); }

  std::string Point() {
    int x, y;
    if (!targets_.taps.empty() && Pick(0, 2) != 0) {
      const TapPoint& p = targets_.taps[Pick(0, static_cast<std::uint32_t>(targets_.taps.size() - 1))];
      x = p.x;
      y = p.y;
    } else {
      x = static_cast<int>(Pick(0, static_cast<std::uint32_t>(targets_.width - 1)));
      y = static_cast<int>(Pick(0, static_cast<std::uint32_t>(targets_.height - 1)));
    }
    return std::to_string(x) + " " + std::to_string(y);
  }

  std::string Character() {
    switch (Pick(0, 5)) {
      case 0: {
        // Anything of the basic plane, surrogate halves included: typed text must never break the game.
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(Pick(1, 0xFFFF)));
        return code;
      }
      case 1:
        return std::to_string(Pick(0, 9));
      default:
        return std::string(1, static_cast<char>('a' + Pick(0, 25)));
    }
  }

  // Returns the step the action ends at.
  std::uint32_t Act(std::uint32_t step) {
    switch (Pick(0, 19)) {
      case 0: case 1: case 2: {  // a key tapped
        const char* key = kKeys[Pick(0, kKeys.size() - 1)];
        const std::uint32_t up = step + Pick(1, 3);
        At(step, std::string("keydown ") + key);
        At(up, std::string("keyup ") + key);
        return up;
      }
      case 3: case 4: case 5: {  // steering: an arrow held for a while
        const char* key = kArrows[Pick(0, kArrows.size() - 1)];
        const std::uint32_t up = step + Pick(5, 90);
        At(step, std::string("keydown ") + key);
        At(up, std::string("keyup ") + key);
        return up;
      }
      case 6: case 7: case 8: case 9: {  // a tap
        const std::string p = Point();
        At(step, "down " + p);
        At(step + 1, "up " + p);
        return step + 1;
      }
      case 10: case 11: case 12: {  // a drag: the stylus steers the head while held
        At(step, "down " + Point());
        const std::uint32_t moves = Pick(1, 12);
        for (std::uint32_t i = 1; i <= moves; ++i) At(step + i * 2, "move " + Point());
        const std::uint32_t up = step + moves * 2 + 1;
        At(up, "up " + Point());
        return up;
      }
      case 13: {
        At(step, "dblclick " + Point());
        return step;
      }
      case 14: {
        const int notches = static_cast<int>(Pick(0, 6)) - 3;
        At(step, "wheel " + std::to_string(notches == 0 ? 1 : notches) + " " + Point());
        return step;
      }
      case 15: {  // another window takes the focus for a moment
        const std::uint32_t back = step + Pick(1, 4);
        At(step, "focus lost");
        At(back, "focus gained");
        return back;
      }
      case 16: {  // into the in-game menu and straight back
        At(step, "keydown Escape");
        At(step + 1, "keyup Escape");
        At(step + Pick(3, 30), "keydown Escape");
        At(step + 31, "keyup Escape");
        return step + 31;
      }
      case 17: case 18: {  // a name typed and confirmed
        const std::uint32_t length = Pick(0, 14);
        std::uint32_t at = step;
        for (std::uint32_t i = 0; i < length; ++i) At(at++, "char " + Character());
        if (Pick(0, 3) == 0) At(at++, "char U+0008");
        At(at, "keydown Enter");
        At(at + 1, "keyup Enter");
        return at + 1;
      }
      default: {  // Enter, the handheld's start key, moves most screens on
        At(step, "keydown Enter");
        At(step + 1, "keyup Enter");
        return step + 1;
      }
    }
  }

  std::mt19937 rng_;
  const ScriptTargets& targets_;
  std::uint32_t steps_;
  std::map<std::uint32_t, std::vector<std::string>> events_;
};

}  // namespace

std::string MakeScript(std::uint32_t seed, const ScriptTargets& targets, std::uint32_t steps) {
  return Builder(seed, targets, steps).Build();
}

}  // namespace zelph::soak
