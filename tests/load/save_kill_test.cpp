// The game killed outright (SIGKILL) at random moments while it writes its files, 200 times over one home
// folder: after every kill the settings file and the registry must read as a whole (the old one or the new
// one), and the high-score table stored in the settings must still be there.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "config/config_document.h"
#include "config/user_settings.h"
#include "load/load_programs.h"
#include "load/running_program.h"
#include "platform/build_variant.h"
#include "platform/registry.h"

namespace zelph::test {
namespace {

using namespace std::chrono;

constexpr int kKills = 200;
constexpr std::uint32_t kSavePeriod = 600;  // game-thread frames between the periodic saves

// One way of making the game write. It runs with `args` and is killed once it has reported frame `after`
// (0: from the start), at a random moment of the time it takes from there to its normal end.
struct Scenario {
  const char* name;
  std::vector<std::string> args;
  std::uint32_t after;
};

const Scenario kScenarios[] = {
    {"start-up", {"--lockstep", "--frames", "30"}, 0},
    {"exit", {"--lockstep", "--frames", "30"}, 30},
    {"periodic save", {"--lockstep", "--frames", std::to_string(kSavePeriod + 10)}, kSavePeriod - 5},
};

struct Row {
  std::string name;
  std::int32_t score;
};
const Row kTable[] = {{"Ada", 900}, {"Bo", 500}, {"Cy", 100}};

std::filesystem::path SettingsPath(const std::filesystem::path& home) { return home / config::kUserSettingsFileName; }

// The table as a player would have left it, added to the settings file the first start made.
void StoreTable(const std::filesystem::path& home) {
  config::ConfigDocument loaded, settings;
  loaded.SetScrambled(true);
  ASSERT_GE(loaded.LoadFile(SettingsPath(home)), 0);
  const int source = settings.CopyFrom(loaded);
  ASSERT_GE(source, 0);
  config::ConfigSection* table = settings.SectionAt(settings.AddSection(source, "high_scores", 1024));
  ASSERT_NE(table, nullptr);
  table->SetInt("count", 3);
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i + 1);
    std::u16string wide(kTable[i].name.begin(), kTable[i].name.end());
    table->SetWideString((n + "_name").c_str(), wide);
    table->SetInt((n + "_score").c_str(), kTable[i].score);
  }
  ASSERT_EQ(settings.Save(source, SettingsPath(home)), config::kSaveOk);
}

// Empty when the files are whole and the table is kept; otherwise what is wrong.
std::string CheckFiles(const std::filesystem::path& home) {
  for (const auto& entry : std::filesystem::directory_iterator(home)) {
    if (entry.path().extension() == ".bad") return "the game put aside a damaged " + entry.path().filename().string();
  }
  platform::Registry registry(home / "registry.reg");
  if (std::filesystem::exists(home / "registry.reg.bad")) return "registry.reg does not read";
  const auto named = registry.ReadString(platform::RootKey::LocalMachine, platform::VgaVariant().gameKey,
                                         "UserSettings");
  if (!named || std::filesystem::path(*named) != SettingsPath(home)) return "the registry lost the settings path";

  config::ConfigDocument settings;
  settings.SetScrambled(true);
  if (settings.LoadFile(SettingsPath(home)) < 0) return "Settings.ino does not read";
  const config::ConfigSection* table = settings.FindSection("high_scores");
  if (!table) return "the high-score table is gone";
  const std::int32_t count = table->GetInt("count", 0);
  for (const Row& row : kTable) {
    bool kept = false, beaten = count >= 5;
    for (std::int32_t i = 1; i <= count && i <= 5; ++i) {
      const std::string n = std::to_string(i);
      std::u16string name;
      table->GetString(n + "_name", name);
      const std::int32_t score = table->GetInt(n + "_score", 0);
      kept = kept || (name == std::u16string(row.name.begin(), row.name.end()) && score == row.score);
      beaten = beaten && score >= row.score;
    }
    if (!kept && !beaten) return "the table lost " + row.name;
  }
  return {};
}

class SaveKill : public ::testing::Test {
 protected:
  std::vector<std::string> Command(const Scenario& s) { return GameCommand(home_.path() / "home", s.args); }
  std::filesystem::path Home() const { return home_.path() / "home"; }
  std::filesystem::path Log() const { return home_.path() / "game.log"; }

  // How long the scenario runs from its frame to its end, when nothing stops it.
  milliseconds Window(const Scenario& s) {
    RunningProgram game(Command(s), Log());
    if (!game.WaitForFrame(s.after, seconds(60))) return milliseconds(0);
    const auto from = steady_clock::now();
    if (game.Wait() != 0) return milliseconds(0);
    return duration_cast<milliseconds>(steady_clock::now() - from);
  }

  TempDir home_;
};

TEST_F(SaveKill, KilledWhileSavingTheGameKeepsWholeFilesAndTheHighScores) {
  {
    RunningProgram first(GameCommand(Home(), {"--lockstep", "--frames", "2"}), Log());
    ASSERT_EQ(first.Wait(), 0) << "see " << Log();
  }
  StoreTable(Home());
  ASSERT_EQ(CheckFiles(Home()), "");

  std::vector<milliseconds> windows;
  for (const Scenario& s : kScenarios) {
    windows.push_back(Window(s));
    ASSERT_GT(windows.back().count(), 0) << s.name << " does not run to its end; see " << Log();
    ASSERT_EQ(CheckFiles(Home()), "") << "after a full run of " << s.name;
  }

  const std::uint32_t seed = std::random_device{}();
  std::mt19937 rng(seed);
  int killedRunning = 0;
  for (int i = 0; i < kKills; ++i) {
    const std::size_t which = static_cast<std::size_t>(i) % std::size(kScenarios);
    const Scenario& s = kScenarios[which];
    // A little beyond the window too: a kill just as it ends must not harm either.
    const auto at = milliseconds(std::uniform_int_distribution<long>(0, windows[which].count() * 11 / 10)(rng));
    {
      RunningProgram game(Command(s), Log());
      ASSERT_TRUE(game.started());
      if (s.after > 0) {
        ASSERT_TRUE(game.WaitForFrame(s.after, seconds(60))) << s.name << "; see " << Log();
      }
      std::this_thread::sleep_for(at);
      game.Kill();
      game.Wait();
      if (game.signal() == SIGKILL) ++killedRunning;
    }
    const std::string damage = CheckFiles(Home());
    ASSERT_EQ(damage, "") << "killed during " << s.name << " after " << at.count() << " ms (kill " << i + 1
                          << ", seed " << seed << ")";
  }
  std::printf("%d kills, %d of them while the game still ran (seed %u)\n", kKills, killedRunning, seed);
  // Most kills must land before the natural end, or the test proves little.
  EXPECT_GT(killedRunning, kKills / 2);
}

}  // namespace
}  // namespace zelph::test
