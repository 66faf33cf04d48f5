// A field with balls only, run by the world for 2,000 frames from a fixed seed: the run is the same every
// time to the cell and the fraction, and no ball ever stands on captured ground.
#include <sstream>

#include "game/game_world.h"
#include "game/object_factory.h"
#include "objects/ball_rig.h"
#include "objects/object_kinds.h"

namespace zelph::objects::test {
namespace {

constexpr std::int32_t kW = 160, kH = 100;
constexpr std::int32_t kMargin = 10;
constexpr int kFrames = 2000;

struct FieldRun {
  std::vector<Vec8> positions;  // every ball after every frame
  std::vector<std::string> faults;
  std::size_t ballsAtStart = 0, ballsAtEnd = 0;
  int turns = 0;
};

FieldRun RunField(std::uint32_t seed) {
  Definitions defs(BallDefinition(1, "speed_rand=2 5\n") + BallDefinition(2, "speed_rand=1 3\n") +
                   BallDefinition(3, "alow_grad_arr=4 45 135 225 315\nspeed_rand=4 4\n"));
  game::ObjectFactory factory;
  RegisterObjectKinds(factory);
  game::GameWorld world;
  world.SetFactory(&factory);
  world.document = &defs.document;
  EXPECT_EQ(world.grid.Create(kW, kH, game::CELL_OPEN), S_OK);
  EXPECT_EQ(world.texture.CreateSurface(gfx::kCreateClear, kW, kH), S_OK);
  EXPECT_EQ(world.composed.CreateSurface(gfx::kCreateClear, kW, kH), S_OK);
  // The captured land outside the level's border, and captured land inside: a block, a wall, and a closed
  // cut one cell wide with open ground on both sides.
  Fill(world.grid, 0, 0, kW, kMargin);
  Fill(world.grid, 0, kH - kMargin, kW, kH);
  Fill(world.grid, 0, 0, kMargin, kH);
  Fill(world.grid, kW - kMargin, 0, kW, kH);
  Fill(world.grid, 40, 25, 70, 45);
  Fill(world.grid, 100, 0, 104, 60);
  Fill(world.grid, 20, 70, 130, 71);

  platform::SRand(seed);
  for (std::uint32_t id : {1u, 1u, 2u, 2u, 3u, 3u, 1u, 2u}) {
    std::unique_ptr<game::FieldObject> ball = world.CreateObject(id, -1, -1);
    if (ball) world.objects.push_back(std::move(ball));
  }
  FieldRun run;
  run.ballsAtStart = world.objects.size();
  for (int frame = 0; frame < kFrames; ++frame) {
    std::vector<Vec8> before;
    for (const auto& o : world.objects) before.push_back(o->velocity);
    world.StepObjects(game::kUpdateAll, true);
    for (std::size_t i = 0; i < world.objects.size(); ++i) {
      const game::FieldObject& o = *world.objects[i];
      if (OnFilled(world.grid, o)) {
        std::ostringstream fault;
        fault << "frame " << frame << ": ball " << i << " on captured cell " << o.CellX() << "," << o.CellY();
        run.faults.push_back(fault.str());
      }
      if (i < before.size() && o.velocity != before[i]) ++run.turns;
      run.positions.push_back(o.position);
    }
    world.RemoveStrandedObjects();
  }
  run.ballsAtEnd = world.objects.size();
  return run;
}

class SeededWorld : public BallTest {};

TEST_F(SeededWorld, TwoThousandFramesRepeatExactlyAndKeepEveryBallOnOpenGround) {
  const FieldRun first = RunField(20240611);
  const FieldRun second = RunField(20240611);
  EXPECT_EQ(first.ballsAtStart, 8u) << "every ball found open ground";
  EXPECT_EQ(first.ballsAtEnd, first.ballsAtStart) << "no ball was stranded";
  EXPECT_TRUE(first.faults.empty()) << first.faults.size() << " " << first.faults.front() << " "
                                    << first.faults.back();
  EXPECT_GT(first.turns, 100) << "the balls bounced about";
  ASSERT_EQ(first.positions.size(), second.positions.size());
  for (std::size_t i = 0; i < first.positions.size(); ++i) {
    ASSERT_EQ(first.positions[i], second.positions[i])
        << "entry " << i << " (frame " << i / first.ballsAtStart << ")";
  }
  // Another seed is another game.
  EXPECT_NE(RunField(7).positions, first.positions);
}

}  // namespace
}  // namespace zelph::objects::test
