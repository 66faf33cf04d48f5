#include "soak_plan.h"

namespace zelph::soak {

namespace {

// SplitMix32-style mixing: neighbouring indices give unrelated seeds.
std::uint32_t Mix(std::uint32_t seed, std::uint32_t index) {
  std::uint32_t z = seed + 0x9E3779B9u * (index + 1);
  z = (z ^ (z >> 16)) * 0x85EBCA6Bu;
  z = (z ^ (z >> 13)) * 0xC2B2AE35u;
  return z ^ (z >> 16);
}

}  // namespace

Session PlanSession(const PlanOptions& plan, const Content& content, std::uint32_t index) {
  Session s;
  s.seed = Mix(plan.seed, index);
  s.script = plan.work / "session.script";
  s.log = plan.work / "session.log";
  s.argv = {plan.program.string(), "--headless",  "--lockstep", "--heartbeat", "--seed", std::to_string(s.seed),
            "--frames", std::to_string(plan.frames), "--home", (plan.work / "home").string(),
            "--data", plan.data.string(), "--input", s.script.string()};
  if (index % 3 == 0 || content.levels.empty()) {
    s.start = "menus";
    return s;
  }
  const std::uint32_t n = static_cast<std::uint32_t>(content.levels.size());
  const Level& level = content.levels[(plan.seed % n + index - index / 3 - 1) % n];
  const std::string pair = std::to_string(level.difficulty) + ":" + std::to_string(level.number);
  s.start = "level " + pair;
  s.argv.push_back("--play");
  s.argv.push_back(pair);
  return s;
}

std::string CommandLine(const std::vector<std::string>& argv) {
  std::string line;
  for (const std::string& a : argv) {
    if (!line.empty()) line += ' ';
    line += '\'';
    for (char c : a) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
    line += '\'';
  }
  return line;
}

}  // namespace zelph::soak
