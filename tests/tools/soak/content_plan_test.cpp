#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "config/ino_text.h"
#include "soak_content.h"
#include "soak_plan.h"

namespace zelph::soak {
namespace {

void Load(config::ConfigDocument& doc, const char* text) {
  std::vector<std::uint8_t> image;
  std::string error;
  ASSERT_TRUE(config::CompileInoText(text, image, error)) << error;
  ASSERT_GE(doc.LoadMemory(std::move(image)), 0);
}

TEST(SoakContent, EveryLevelOnceAndEveryPressablePointOnTheScreen) {
  config::ConfigDocument gui, game;
  Load(gui,
       "[main_wnd]\nback_rect=0 0 640 480\n"
       "[new_game_btn]\nrect=100 200 0 0\n"
       "[bar]\nrect=10 20 100 40\n"
       "[off_screen]\nrect=700 10 0 0\n"
       "[m_main_exit_btn]\nrect=190 372 0 0\n"
       "[close_x_btn]\nrect=600 0 0 0\n");
  Load(game,
       "[level]\ndifficulty=1\nlevel_num=2\n"
       "[enemy]\nID=1\n"
       "[level]\ndifficulty=1\nlevel_num=1\n"
       "[level]\ndifficulty=2\nlevel_num=1\n"
       "[level]\ndifficulty=1\nlevel_num=2\n"
       "[level]\nlevel_num=3\n");
  const Content c = ReadContent(gui, game, 640, 480);
  ASSERT_EQ(c.levels.size(), 3u);
  EXPECT_EQ(c.levels[0].number, 2);
  EXPECT_EQ(c.levels[1].number, 1);
  EXPECT_EQ(c.levels[2].difficulty, 2);
  ASSERT_EQ(c.targets.taps.size(), 2u);
  EXPECT_EQ(c.targets.taps[0].x, 112);  // a picture placed at its corner: a point inside it
  EXPECT_EQ(c.targets.taps[0].y, 212);
  EXPECT_EQ(c.targets.taps[1].x, 60);  // a sized rectangle: its middle
  EXPECT_EQ(c.targets.taps[1].y, 40);
}

TEST(SoakPlan, SessionsVisitEveryLevelAndTheMenusWithTheirOwnSeeds) {
  Content content;
  content.levels = {{1, 1}, {1, 2}, {2, 1}, {2, 2}};
  PlanOptions plan;
  plan.program = "/bin/zelph-vga";
  plan.work = "/tmp/soak";
  plan.seed = 99;
  std::set<std::string> starts;
  std::set<std::uint32_t> seeds;
  for (std::uint32_t i = 0; i < 12; ++i) {
    const Session s = PlanSession(plan, content, i);
    starts.insert(s.start);
    seeds.insert(s.seed);
    const auto play = std::find(s.argv.begin(), s.argv.end(), "--play");
    if (i % 3 == 0) {
      EXPECT_EQ(s.start, "menus");
      EXPECT_EQ(play, s.argv.end());
    } else {
      ASSERT_NE(play, s.argv.end());
      EXPECT_EQ(s.start, "level " + play[1]);
    }
    const auto seed = std::find(s.argv.begin(), s.argv.end(), "--seed");
    ASSERT_NE(seed, s.argv.end());
    EXPECT_EQ(seed[1], std::to_string(s.seed));
  }
  EXPECT_EQ(starts.size(), 5u) << "the menus and each of the four levels";
  EXPECT_EQ(seeds.size(), 12u);
}

TEST(SoakPlan, CommandLinesCanBePastedIntoAShell) {
  EXPECT_EQ(CommandLine({"/a b/zelph", "--home", "it's"}), "'/a b/zelph' '--home' 'it'\\''s'");
}

}  // namespace
}  // namespace zelph::soak
