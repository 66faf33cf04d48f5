// The animated obstacle: it never moves, its collision rectangle follows the frame it shows (the last one
// staying for frames beyond the list), a reload of its pictures leaves it on its frame, and balls bounce
// off it whichever of the two comes first in the level's list.
#include <utility>

#include "game/game_world.h"
#include "objects/ball_rig.h"
#include "objects/frame_obstacle.h"
#include "ui/support/pictures.h"

namespace zelph::objects::test {
namespace {

constexpr std::uint32_t kStripId = 0x5301;

std::string ObstacleDefinition(std::uint32_t id, const std::string& keys) {
  return "[enemy]\nID=" + std::to_string(id) + "\n" + keys +
         "type=200000\nrect=-10 -10 20 20\naprox_figure=20001\naprox_figure_param=-10 -10 20 20 0 0 0 0\n"
         "collide=1\nprocess_cur_state=1\nmove_on=3\n";
}

const std::string kThreeRects =
    "frames_borders_count=3\nb_frame_1=-1 -1 1 1\nb_frame_2=-2 -2 2 2\nb_frame_3=-3 -3 3 3\n";

class Obstacle : public BallTest {
 protected:
  void SetUp() override {
    BallTest::SetUp();
    ASSERT_EQ(strip.LoadMemory(ui::test::Solid(8, 8, {0x100000, 0x200000, 0x300000, 0x400000, 0x500000}), 0,
                               kStripId),
              S_OK);
  }
  void TearDown() override {
    strip.Reset(false);
    BallTest::TearDown();
  }
  std::unique_ptr<FrameObstacle> Make(const Definitions& defs, std::uint32_t id, std::int32_t x,
                                      std::int32_t y) {
    auto o = std::make_unique<FrameObstacle>();
    EXPECT_EQ(o->Init(defs.Section(id), x, y), S_OK);
    return o;
  }

  gfx::Sprite strip;
  CellGrid grid = OpenField(100, 60);
};

TEST_F(Obstacle, FramesPastTheLastRectangleKeepItAndTheObstacleNeverMoves) {
  Definitions defs(ObstacleDefinition(1, "image=0x5301\nplay_param=0 1 0 0\n" + kThreeRects));
  auto o = Make(defs, 1, 50, 30);
  EXPECT_EQ(o->kindCode, game::kKindObstacle);
  ASSERT_EQ(o->Picture().FrameCount(), 5);
  o->velocity = {300, 300};
  const gfx::Rect r0{-1, -1, 1, 1}, r1{-2, -2, 2, 2}, r2{-3, -3, 3, 3};
  std::vector<gfx::Rect> seen;
  for (int i = 0; i < 6; ++i) {
    o->Update(grid, game::kUpdateAll);
    seen.push_back(o->figureRect);
  }
  EXPECT_EQ(seen, (std::vector<gfx::Rect>{r1, r2, r2, r2, r0, r1})) << "frames 1, 2, 3, 4, 0, 1";
  EXPECT_EQ(o->position, (game::Vec8{50 * 256, 30 * 256}));
  EXPECT_EQ(o->Prepare(grid), S_OK);
  EXPECT_EQ(o->position, (game::Vec8{50 * 256, 30 * 256}));

  // A missing rectangle is skipped, the next taking its place; without a picture the definition's stays.
  Definitions gaps(
      ObstacleDefinition(2, "frames_borders_count=3\nb_frame_1=-1 -1 1 1\nb_frame_3=-3 -3 3 3\n"));
  auto bare = Make(gaps, 2, 50, 30);
  EXPECT_EQ(bare->FrameRects(), (std::vector<gfx::Rect>{r0, r2}));
  bare->Update(grid, game::kUpdateAll);
  EXPECT_EQ(bare->figureRect, (gfx::Rect{-10, -10, 10, 10}));
}

TEST_F(Obstacle, AReloadOfItsPicturesLeavesItOnItsFrame) {
  Definitions defs(ObstacleDefinition(1, "image=0x5301\nplay_param=1 1 2 0\n" + kThreeRects));
  auto o = Make(defs, 1, 50, 30);
  EXPECT_EQ(o->Picture().Frame(), 1) << "started on the first frame of \"play_param\"";
  for (int i = 0; i < 7; ++i) o->Update(grid, game::kUpdateAll);
  const std::int32_t frame = o->Picture().Frame(), tick = o->Picture().Tick();
  EXPECT_EQ(frame, 3);
  o->ReleaseImages(0);
  EXPECT_EQ(o->Picture().FrameCount(), 0);
  EXPECT_EQ(o->LoadImages(0), S_OK);
  EXPECT_EQ(o->Picture().FrameCount(), 5);
  EXPECT_EQ(o->Picture().Frame(), frame);
  EXPECT_EQ(o->Picture().Tick(), tick);
  EXPECT_EQ(o->Picture().Delay(), 2);
}

TEST_F(Obstacle, ABallBouncesOffItWhicheverComesFirstInTheList) {
  Definitions defs(ObstacleDefinition(1, "") + BallDefinition(2, "move_on=3\n"));
  for (const bool obstacleFirst : {true, false}) {
    game::GameWorld world;
    ASSERT_EQ(world.grid.Create(100, 60, game::CELL_OPEN), S_OK);
    world.objects.push_back(Make(defs, 1, 50, 30));
    world.objects.push_back(MakeBall(defs.Section(2), 30, 30, {768, 0}));
    if (!obstacleFirst) std::swap(world.objects[0], world.objects[1]);
    game::FieldObject* ball = world.objects[obstacleFirst ? 1 : 0].get();
    std::int32_t furthest = 0;
    for (int i = 0; i < 8; ++i) {
      world.StepObjects(game::kUpdateAll, true);
      furthest = std::max(furthest, ball->CellX());
    }
    EXPECT_LT(ball->velocity.x, 0) << (obstacleFirst ? "obstacle first" : "ball first");
    EXPECT_LE(furthest, 40) << "turned at the obstacle's left side";
  }
}

}  // namespace
}  // namespace zelph::objects::test
