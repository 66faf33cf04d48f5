// The game-state snapshot testers and replays read.
#include "game/world_dump.h"

#include <gtest/gtest.h>

#include <sstream>

#include "world_fixture.h"

namespace zelph::game::test {
namespace {

using WorldDump = WorldTest;

TEST_F(WorldDump, SaysSoWhenNoGameRuns) {
  std::ostringstream out;
  WriteWorldDump(nullptr, out);
  EXPECT_EQ(out.str(), "zelph-dump 1\ngame none\n");
  std::ostringstream empty;
  WriteWorldDump(&world, empty);
  EXPECT_EQ(empty.str(), "zelph-dump 1\ngame none\n") << "a world without a level";
}

TEST_F(WorldDump, ListsTheLevelTheObjectsAndEveryCell) {
  Document(Level(2, 3, kBox + std::string("pass_percent=75\nenemy_count=1\nen_1_ID=0x2A\nen_1_xy=40 30\n")) +
           Enemy(0x2A, "speed_rand=2 2\n"));
  ASSERT_EQ(Load(2, 3), S_OK);
  world.score = 120;
  world.objects[0]->velocity = {-300, 17};
  std::ostringstream out;
  WriteWorldDump(&world, out);
  std::istringstream in(out.str());
  std::string line;
  std::vector<std::string> lines;
  while (std::getline(in, line)) lines.push_back(line);
  ASSERT_EQ(lines.size(), 13u + 100u);
  EXPECT_EQ(lines[1], "difficulty 2");
  EXPECT_EQ(lines[2], "level 3");
  EXPECT_EQ(lines[3], "score 120");
  EXPECT_EQ(lines[5], "percent 2");
  EXPECT_EQ(lines[7], "pass_percent 75");
  EXPECT_EQ(lines[8], "objects 1");
  EXPECT_EQ(lines[9], "object kind=0 id=0x0000002A cell=40,30 pos=10240,7680 vel=-300,17 dead=0 removed=0");
  EXPECT_EQ(lines[10], "prize_rules 0");
  EXPECT_EQ(lines[11], "prize_icons 0");
  EXPECT_EQ(lines[12], "grid 200 100");
  std::string border;
  for (int i = 0; i < 200; ++i) border += "02";
  EXPECT_EQ(lines[13], border) << "the top border";
  EXPECT_EQ(lines[14].substr(0, 6), "020101");
  EXPECT_EQ(lines[14].substr(394), "010102");
}

TEST_F(WorldDump, ListsThePrizeRulesAndIcons) {
  Document(Level(1, 1, kBox + std::string("prize_count=2\nprz_1_ID=7\nprz_1_rand=5 5 2 10\nprz_2_ID=8\n")));
  ASSERT_EQ(Load(), S_OK);
  world.prizeRules[0].timer = 87;
  PrizeIconLook look;
  look.param = {1, 8, 3, 10};
  look.image = kMarkId;
  look.place = {560, 440, 580, 460};
  ASSERT_EQ(world.ShowPrizeIcon(kPrizeGodMode, look), S_OK);
  std::ostringstream out;
  WriteWorldDump(&world, out);
  EXPECT_NE(out.str().find("objects 0\n"
                           "prize_rules 2\n"
                           "prize_rule id=0x00000007 timer=87 delay=5,5 max_alive=2 remaining=10\n"
                           "prize_rule id=0x00000008 timer=-1 delay=10,60 max_alive=1 remaining=1\n"
                           "prize_icons 1\n"
                           "prize_icon key=2 place=560,440 life=240 steady=90 blink=10,10\n"
                           "grid 200 100\n"),
            std::string::npos)
      << out.str().substr(0, 400);
}

}  // namespace
}  // namespace zelph::game::test
