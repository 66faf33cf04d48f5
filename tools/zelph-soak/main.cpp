// zelph-soak: plays the real game headless, session after session, with random but seeded input, until the
// time is up; fails on a crash, a sanitizer report or a hang, and prints the seed that reproduces it.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "soak_content.h"
#include "soak_plan.h"
#include "soak_script.h"
#include "soak_session.h"

namespace {

using namespace zelph::soak;

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr char kHelp[] =
    R"(Usage: zelph-soak PROGRAM DATA_DIR WORK_DIR [--seconds N] [--seed N] [--frames N] [--hang-ms N]

Plays PROGRAM (zelph-vga or zelph-qvga) with the packs of DATA_DIR, headless and in lockstep, for N seconds
(default 60): one session after another, each with its own input script drawn from the seed, starting on
the menus or straight on a level (every level of the game document in turn). The home folder in WORK_DIR
lasts across the sessions, so saved games and settings carry over. A session fails when the program
crashes, a sanitizer reports something, it exits with a status other than 0, or no frame is drawn for
--hang-ms (default 5000). The seed (default: from the clock) is printed first and with any failure.
--frames is the length of one session in drawn frames (default 1500).
Exit status: 0 every session passed, 1 one failed, 2 wrong usage or the content does not load.
)";

bool Number(const char* text, std::uint64_t& out) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long n = std::strtoull(text, &end, 10);
  if (!*text || *end || errno || text[0] == '-') return false;
  out = n;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kHelp, stdout);
    return kOk;
  }
  if (argc < 4 || (argc - 4) % 2 != 0) {
    std::fputs(kHelp, stderr);
    return kUsage;
  }
  PlanOptions plan;
  plan.seed = static_cast<std::uint32_t>(std::random_device{}());
  std::uint64_t seconds = 60, hangMs = 5000;
  for (int i = 4; i < argc; i += 2) {
    std::uint64_t n = 0;
    if (!Number(argv[i + 1], n) || n > 0xFFFFFFFFu) {
      std::fputs(kHelp, stderr);
      return kUsage;
    }
    if (std::strcmp(argv[i], "--seconds") == 0) {
      seconds = n;
    } else if (std::strcmp(argv[i], "--seed") == 0) {
      plan.seed = static_cast<std::uint32_t>(n);
    } else if (std::strcmp(argv[i], "--frames") == 0 && n > 0) {
      plan.frames = static_cast<std::uint32_t>(n);
    } else if (std::strcmp(argv[i], "--hang-ms") == 0 && n > 0) {
      hangMs = n;
    } else {
      std::fputs(kHelp, stderr);
      return kUsage;
    }
  }
  plan.program = std::filesystem::absolute(argv[1]);
  plan.data = std::filesystem::absolute(argv[2]);
  plan.work = std::filesystem::absolute(argv[3]);
  const bool small = plan.data.filename() == "qvga";
  const int width = small ? 320 : 640, height = small ? 240 : 480;

  std::printf("zelph-soak: seed %u\n", plan.seed);
  std::fflush(stdout);
  std::error_code ec;
  std::filesystem::create_directories(plan.work, ec);
  Content content;
  std::string error;
  if (!LoadContent(plan.data, plan.work / "content-home", width, height, content, error)) {
    std::fprintf(stderr, "zelph-soak: %s\n", error.c_str());
    return kUsage;
  }
  std::filesystem::remove_all(plan.work / "home", ec);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  std::uint32_t index = 0;
  std::uint64_t frames = 0;
  do {
    const Session session = PlanSession(plan, content, index);
    {
      std::ofstream script(session.script);
      script << MakeScript(session.seed, content.targets, plan.frames);
    }
    const SessionResult result = RunSession(session.argv, session.log, std::chrono::milliseconds(hangMs));
    frames += result.frames;
    std::printf("session %u (%s): %s, %u frames\n", index + 1, session.start.c_str(), OutcomeName(result.outcome),
                result.frames);
    std::fflush(stdout);
    if (result.outcome != Outcome::kPassed) {
      std::fprintf(stderr, "zelph-soak: session %u %s: %s\n  log: %s\n  reproduce: %s\n  or the whole soak: "
                   "zelph-soak %s %s %s --seed %u --frames %u\n",
                   index + 1, OutcomeName(result.outcome), result.detail.c_str(), session.log.c_str(),
                   CommandLine(session.argv).c_str(), argv[1], argv[2], argv[3], plan.seed, plan.frames);
      return kFailed;
    }
    ++index;
  } while (std::chrono::steady_clock::now() < deadline);
  std::printf("zelph-soak: %u sessions, %llu frames, every one passed (seed %u)\n", index,
              static_cast<unsigned long long>(frames), plan.seed);
  return kOk;
}
