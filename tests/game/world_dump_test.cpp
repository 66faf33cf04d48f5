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
  ASSERT_EQ(lines.size(), 11u + 100u);
  EXPECT_EQ(lines[1], "difficulty 2");
  EXPECT_EQ(lines[2], "level 3");
  EXPECT_EQ(lines[3], "score 120");
  EXPECT_EQ(lines[5], "percent 2");
  EXPECT_EQ(lines[7], "pass_percent 75");
  EXPECT_EQ(lines[8], "objects 1");
  EXPECT_EQ(lines[9], "object kind=0 id=0x0000002A cell=40,30 pos=10240,7680 vel=-300,17 dead=0 removed=0");
  EXPECT_EQ(lines[10], "grid 200 100");
  std::string border;
  for (int i = 0; i < 200; ++i) border += "02";
  EXPECT_EQ(lines[11], border) << "the top border";
  EXPECT_EQ(lines[12].substr(0, 6), "020101");
  EXPECT_EQ(lines[12].substr(394), "010102");
}

}  // namespace
}  // namespace zelph::game::test
