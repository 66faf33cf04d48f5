#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "app/input_script.h"
#include "soak_script.h"

namespace zelph::soak {
namespace {

ScriptTargets Targets() {
  ScriptTargets t;
  t.width = 320;
  t.height = 240;
  t.taps = {{10, 10}, {300, 200}};
  return t;
}

TEST(SoakScript, TheSeedAloneDecidesTheScript) {
  EXPECT_EQ(MakeScript(7, Targets(), 3000), MakeScript(7, Targets(), 3000));
  EXPECT_NE(MakeScript(7, Targets(), 3000), MakeScript(8, Targets(), 3000));
}

// Every script the game must accept as it is, and leave it able to draw: nothing held for ever, no focus
// lost for good, no point off the screen.
TEST(SoakScript, ScriptsAreWellFormedAndReleaseWhatTheyPress) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    const std::string text = MakeScript(seed, Targets(), 2000);
    const app::InputScript parsed = app::ParseInputScript(text, false);
    ASSERT_TRUE(parsed.error.empty()) << "seed " << seed << ": " << parsed.error;
    ASSERT_GT(parsed.events.size(), 100u);

    std::map<std::string, std::uint32_t> heldKeys;
    bool stylusDown = false;
    std::uint32_t focusLostAt = 0;
    std::set<std::string> kinds;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (line.empty() || line[0] == '#') continue;
      std::istringstream words(line);
      std::uint32_t step = 0;
      std::string kind, a, b;
      words >> step >> kind >> a >> b;
      kinds.insert(kind == "focus" ? kind + " " + a : kind);
      if (kind == "keydown") heldKeys[a] = step;
      if (kind == "keyup") {
        EXPECT_EQ(heldKeys.erase(a), 1u) << "seed " << seed << ": " << line;
      }
      if (kind == "down") {
        EXPECT_FALSE(stylusDown) << "seed " << seed << ": " << line;
        stylusDown = true;
      }
      if (kind == "up") stylusDown = false;
      if (kind == "down" || kind == "up" || kind == "move" || kind == "dblclick") {
        const int x = std::stoi(a), y = std::stoi(b);
        EXPECT_TRUE(x >= 0 && x < 320 && y >= 0 && y < 240) << "seed " << seed << ": " << line;
      }
      if (line.find("focus lost") != std::string::npos) focusLostAt = step;
      if (line.find("focus gained") != std::string::npos) {
        EXPECT_LE(step - focusLostAt, 4u) << "seed " << seed;
        focusLostAt = 0;
      }
    }
    EXPECT_TRUE(heldKeys.empty()) << "seed " << seed << ": a key is never released";
    EXPECT_FALSE(stylusDown) << "seed " << seed << ": the stylus is never lifted";
    EXPECT_EQ(focusLostAt, 0u) << "seed " << seed << ": the focus is never given back";
    if (seed == 1) {
      for (const char* kind : {"keydown", "char", "down", "move", "dblclick", "wheel", "focus lost", "focus gained"}) {
        EXPECT_TRUE(kinds.count(kind)) << "no " << kind << " event in 2000 steps";
      }
    }
  }
}

TEST(SoakScript, TapsLandOnTheTargetsOften) {
  ScriptTargets t = Targets();
  t.taps = {{123, 45}};
  const std::string text = MakeScript(3, t, 3000);
  std::size_t onTarget = 0, downs = 0;
  for (std::size_t at = 0; (at = text.find(" down ", at)) != std::string::npos; ++at) {
    ++downs;
    if (text.compare(at, 13, " down 123 45\n") == 0) ++onTarget;
  }
  ASSERT_GT(downs, 20u);
  EXPECT_GT(onTarget * 3, downs) << onTarget << " of " << downs;
}

}  // namespace
}  // namespace zelph::soak
