// A ball's definition and life: its border lists per animation frame, its pictures, placing it, the death
// fade that ends in its removal, and the factory that makes balls for a level.
#include "game/game_world.h"
#include "game/object_factory.h"
#include "objects/ball_object.h"
#include "objects/ball_rig.h"
#include "objects/object_kinds.h"
#include "ui/support/pictures.h"

namespace zelph::objects::test {
namespace {

using config::Point;

constexpr std::uint32_t kPictureId = 0x5101;
constexpr std::uint32_t kAlphaId = 0x5102;

class BallLifecycle : public BallTest {
 protected:
  void SetUp() override {
    BallTest::SetUp();
    // Three frames in the image cache, where the ball finds them without a pack.
    ASSERT_EQ(picture.LoadMemory(ui::test::Solid(10, 10, {0xFF0000, 0x00FF00, 0x0000FF}), 0, kPictureId),
              S_OK);
    ASSERT_EQ(alpha.LoadMemory(ui::test::Alpha(10, 10, [](int, int) { return 255; }), 0, kAlphaId), S_OK);
  }
  void TearDown() override {
    picture.Reset(false);
    alpha.Reset(false);
    BallTest::TearDown();
  }

  gfx::Sprite picture, alpha;
};

const std::string kPictured = "image=0x5101\nimage_a=0x5102\nplay_param=0 1 0 0\n";

TEST_F(BallLifecycle, AMissingBorderListIsSkippedAndTheNextTakesItsPlace) {
  Definitions defs(BallDefinition(1, "frames_borders_count=3\nb_frame_1=1 5 0\nb_frame_3=2 -5 0 0 -5\n"));
  auto ball = MakeBall(defs.Section(1), 50, 30, {});
  ASSERT_EQ(ball->BorderLists().size(), 2u);
  EXPECT_EQ(ball->BorderLists()[0], (std::vector<Point>{{5, 0}}));
  EXPECT_EQ(ball->BorderLists()[1], (std::vector<Point>{{-5, 0}, {0, -5}}));

  // A list past the claimed count is not read, and a count far beyond the keys ends with them.
  Definitions fewer(BallDefinition(1, "frames_borders_count=1\nb_frame_2=1 5 0\n"));
  auto one = MakeBall(fewer.Section(1), 50, 30, {});
  ASSERT_EQ(one->BorderLists().size(), 1u);
  EXPECT_GT(one->BorderLists()[0].size(), 1u) << "the rim of b_frame_1, not the point of b_frame_2";
  Definitions huge(
      BallDefinition(1, "frames_borders_count=2000000000\nb_frame_1=1 5 0\nb_frame_40000=1 0 5\n"));
  EXPECT_EQ(MakeBall(huge.Section(1), 50, 30, {})->BorderLists().size(), 2u);
  Definitions none(BallDefinition(1, "frames_borders_count=0\n"));
  auto bare = MakeBall(none.Section(1), 50, 30, {});
  EXPECT_EQ(bare->CurrentBorder(), nullptr);
  CellGrid grid = OpenField(100, 60);
  Fill(grid, 0, 0, 100, 60);
  bare->velocity = {256, 0};
  EXPECT_EQ(bare->Move(grid), S_OK) << "without lists the ground is never felt";
  EXPECT_EQ(bare->velocity, (game::Vec8{256, 0}));
}

TEST_F(BallLifecycle, TheBorderListFollowsThePicturesFrame) {
  Definitions defs(
      BallDefinition(1, kPictured + "frames_borders_count=3\nb_frame_1=1 5 0\nb_frame_3=1 -5 0\n"));
  auto ball = MakeBall(defs.Section(1), 50, 30, {});
  ASSERT_EQ(ball->Picture().FrameCount(), 3);
  CellGrid grid = OpenField(100, 60);
  const auto& lists = ball->BorderLists();
  EXPECT_EQ(ball->CurrentBorder(), &lists[0]);
  ball->Update(grid, game::kUpdateAnimate);
  EXPECT_EQ(ball->Picture().Frame(), 1);
  EXPECT_EQ(ball->CurrentBorder(), &lists[1]);
  ball->Update(grid, game::kUpdateAnimate);
  EXPECT_EQ(ball->Picture().Frame(), 2);
  EXPECT_EQ(ball->CurrentBorder(), &lists[1]) << "frame 2 has no list: the previous one stays";
  ball->Update(grid, game::kUpdateAnimate);
  EXPECT_EQ(ball->CurrentBorder(), &lists[0]);
}

TEST_F(BallLifecycle, OnAFrameProbingAwayTheBallRunsIntoGroundItCannotFeel) {
  // The first frame (the first "play_param" value) decides which list the ball starts with.
  const std::string lists = "frames_borders_count=2\nb_frame_1=1 5 0\nb_frame_2=1 -5 0\n";
  Definitions defs(BallDefinition(1, "image=0x5101\nplay_param=0 0 0 0\n" + lists) +
                   BallDefinition(2, "image=0x5101\nplay_param=1 0 0 0\n" + lists));
  CellGrid grid = OpenField(100, 60);
  Fill(grid, 60, 0, 100, 60);
  auto feeling = MakeBall(defs.Section(1), 52, 30, {768, 0});
  auto blind = MakeBall(defs.Section(2), 52, 30, {768, 0});
  for (int i = 0; i < 3; ++i) {
    feeling->Update(grid, game::kUpdateAll);
    blind->Update(grid, game::kUpdateAll);
  }
  EXPECT_LT(feeling->velocity.x, 0);
  EXPECT_GT(blind->velocity.x, 0);
  EXPECT_TRUE(OnFilled(grid, *blind));
}

TEST_F(BallLifecycle, PicturesLoadOnTheirFirstFrameAndComeBackAfterARelease) {
  Definitions defs(BallDefinition(1, "image=0x5101\nimage_a=0x5102\nplay_param=2 1 4 0\n"));
  auto ball = MakeBall(defs.Section(1), 50, 30, {});
  EXPECT_TRUE(ball->Loaded());
  EXPECT_EQ(ball->kindCode, game::kKindBall);
  EXPECT_EQ(ball->sprite, &ball->Picture());
  EXPECT_EQ(ball->alphaSprite, &ball->PictureAlpha());
  EXPECT_EQ(ball->Picture().FrameCount(), 3);
  EXPECT_EQ(ball->PictureAlpha().FrameCount(), 1);
  EXPECT_EQ(ball->Picture().Frame(), 2);
  EXPECT_EQ(ball->Picture().Delay(), 4);
  EXPECT_TRUE(ball->Picture().Playing());
  EXPECT_FALSE(ball->Picture().OneShot());

  ball->ReleaseImages(0);
  EXPECT_EQ(ball->Picture().FrameCount(), 0);
  EXPECT_EQ(ball->PictureAlpha().FrameCount(), 0);
  ball->Picture().SetFrame(0);
  EXPECT_EQ(ball->LoadImages(0), S_OK);
  EXPECT_EQ(ball->Picture().FrameCount(), 3);
  EXPECT_EQ(ball->Picture().Frame(), 2);

  // Drawn at the drawing rectangle through the alpha picture.
  gfx::Surface screen;
  ASSERT_EQ(screen.CreateSurface(gfx::kCreateClear, 100, 60), S_OK);
  EXPECT_EQ(ball->Draw(screen, 0, 0), S_OK);
  EXPECT_EQ(screen.Row(30)[50], gfx::ColorToPixel(0x0000FF));
  EXPECT_EQ(screen.Row(24)[50], 0) << "above the drawing rectangle";
}

TEST_F(BallLifecycle, WithoutItsPicturesABallStillMovesAndCollides) {
  Definitions defs(BallDefinition(1, "image=0x5999\nimage_a=0x5998\n"));
  auto ball = MakeBall(defs.Section(1), 50, 30, {256, 0});
  auto other = MakeBall(defs.Section(1), 58, 30, {-256, 0});
  EXPECT_EQ(ball->Picture().FrameCount(), 0);
  CellGrid grid = OpenField(100, 60);
  gfx::Surface screen;
  ASSERT_EQ(screen.CreateSurface(gfx::kCreateClear, 100, 60), S_OK);
  EXPECT_EQ(ball->Draw(screen, 0, 0), S_OK);
  EXPECT_EQ(ball->Update(grid, game::kUpdateAll), S_OK);
  EXPECT_EQ(ball->position.x, 50 * 256 + 256);
  EXPECT_EQ(ball->Collide(other.get(), game::kCollideRespond), 1);
  EXPECT_EQ(ball->velocity.x, -768) << "turned back at its own speed";
}

TEST_F(BallLifecycle, PreparingStepsOnceAndClampsWithoutBouncing) {
  Definitions defs(BallDefinition(1));
  CellGrid grid = OpenField(100, 60);
  Fill(grid, 0, 0, 100, 60);
  auto ball = MakeBall(defs.Section(1), 97, 2, {768, -768});
  EXPECT_EQ(ball->Prepare(grid), S_OK);
  EXPECT_EQ(ball->position, (game::Vec8{95 * 256, 5 * 256}));
  EXPECT_EQ(ball->velocity, (game::Vec8{768, -768})) << "no bounce, even on captured ground";
  ball->SetCell(40, 30);
  ball->Prepare(grid);
  EXPECT_EQ(ball->position, (game::Vec8{40 * 256 + 768, 30 * 256 - 768}));
  EXPECT_EQ(ball->absRect.top, (ball->position.y >> 8) - 5);
}

TEST_F(BallLifecycle, AKilledBallFadesStillThenIsRemoved) {
  Definitions defs(BallDefinition(1, "death_param=255 0 100 255\n"));
  CellGrid grid = OpenField(100, 60);
  auto ball = MakeBall(defs.Section(1), 50, 30, {256, 0});
  EXPECT_EQ(ball->Kill(game::kKillImmune), S_OK);
  EXPECT_FALSE(ball->dead);
  EXPECT_EQ(ball->Kill(0), S_OK);
  ASSERT_TRUE(ball->dead);
  std::vector<std::int32_t> opacities;
  while (!ball->removed && opacities.size() < 10) {
    ball->Update(grid, game::kUpdateAll);
    opacities.push_back(ball->opacity);
  }
  EXPECT_EQ(opacities, (std::vector<std::int32_t>{155, 55, 55}));
  EXPECT_TRUE(ball->removed);
  EXPECT_EQ(ball->position.x, 50 * 256) << "a dying ball stands still";
  EXPECT_TRUE(ball->OnForbiddenGround(grid, gfx::Surface()));

  // Without the fade flag a dead ball goes on moving.
  auto moving = MakeBall(defs.Section(1), 50, 30, {256, 0});
  EXPECT_EQ(moving->Kill(game::kKillSpareHitter), gfx::GFX_E_GENERIC);
  moving->Update(grid, game::kUpdateMove);
  EXPECT_EQ(moving->position.x, 51 * 256);
  EXPECT_EQ(moving->opacity, 255);
}

TEST_F(BallLifecycle, ABallPlacedFarOffTheFieldIsBroughtToItsEdge) {
  // Level data may name any position; the ball must neither overflow nor stay lost.
  Definitions defs(BallDefinition(1));
  CellGrid grid = OpenField(100, 60);
  auto ball = MakeBall(defs.Section(1), 2000000000, -2000000000, {768, 768});
  EXPECT_GT(ball->CellX(), 100);
  EXPECT_LT(ball->CellY(), 0);
  EXPECT_EQ(ball->Update(grid, game::kUpdateAll), S_OK);
  EXPECT_EQ(ball->position, (game::Vec8{95 * 256, 5 * 256}));
  EXPECT_EQ(ball->velocity, (game::Vec8{-768, -768}));
}

TEST_F(BallLifecycle, TheFactoryMakesBallsForTheirTypeOnly) {
  game::ObjectFactory factory;
  RegisterObjectKinds(factory);
  EXPECT_TRUE(factory.Knows(game::kTypeBall));
  EXPECT_FALSE(factory.Knows(123));
  EXPECT_NE(dynamic_cast<BallObject*>(factory.Make(game::kTypeBall).get()), nullptr);

  Definitions defs(BallDefinition(7) + "[enemy]\nID=8\ntype=123\nrect=0 0 1 1\naprox_figure=20000\n" +
                   "[enemy]\nID=9\ntype=100000\nrect=0 0 1 1\n");
  game::GameWorld world;
  world.SetFactory(&factory);
  world.document = &defs.document;
  ASSERT_EQ(world.grid.Create(100, 60, game::CELL_OPEN), S_OK);
  auto ball = world.CreateObject(7, 20, 30);
  ASSERT_NE(ball, nullptr);
  EXPECT_EQ(ball->kindCode, game::kKindBall);
  EXPECT_EQ(ball->World(), &world);
  EXPECT_EQ(world.CreateObject(8, 20, 30), nullptr) << "no kind for that type";
  EXPECT_EQ(world.CreateObject(9, 20, 30), nullptr) << "no figure: the ball is not made";
}

}  // namespace
}  // namespace zelph::objects::test
