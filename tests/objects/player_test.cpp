// The cutting head as a player steers it: turning, cutting, closing a cut, dying and coming back.
#include "objects/player.h"

#include <gtest/gtest.h>

#include "game/world_fixture.h"
#include "objects/ball_object.h"

namespace zelph::objects {
namespace {

using game::CELL_CUT;
using game::CELL_FILLED;
using game::CELL_OPEN;
using game::test::kBox;

constexpr const char* kHead =
    "[enemy]\nID=1\ntype=999999\nrect=-2 -2 5 5\ncut_rect=-3 -3 7 7\naprox_figure=20000\n"
    "aprox_figure_param=0 0 0 0 0 0 0 0\nspeed_rand=1 1\nmove_on=3\ncollide=1\nprocess_cur_state=1\n"
    "test_fill_flag=0\n";

class PlayerTest : public game::test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    factory.Register(game::kTypePlayer, [] { return std::make_unique<Player>(); });
  }

  // A boxed 200 x 100 field with the head on the top border at (100, 0); `head` adds to its definition.
  void Play(const std::string& head = "unbreakable_param=0 10\n", const std::string& level = "",
            const std::string& layoutExtra = "laser_death_time=1\n") {
    world.Reset();
    document.Clear();
    Document(std::string(game::test::kLayout) + layoutExtra +
                 Level(1, 1, level + kBox + "enemy_count=1\nen_1_ID=1\nen_1_xy=100 0\n") + kHead +
                 head + game::test::Enemy(2, "collide=1\nprocess_cur_state=1\n"),
             false);
    ASSERT_EQ(Load(), S_OK);
    ASSERT_NE(world.player, nullptr);
    this->head = static_cast<Player*>(world.player);
  }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) world.Tick();
  }
  // Past the start delay.
  void Ready() { Frames(kStartDelayFrames); }
  void Key(std::int32_t code) { head->KeyDown(code); }

  std::int32_t X() const { return head->CellX(); }
  std::int32_t Y() const { return head->CellY(); }

  Player* head = nullptr;
};

TEST_F(PlayerTest, KeysInTheFirstFramesDoNothing) {
  Play();
  for (int i = 0; i < kStartDelayFrames; ++i) {
    Key(kDirDown);
    Frames(1);
  }
  EXPECT_EQ(Y(), 0);
  EXPECT_EQ(head->direction, kDirNone);
  Key(kDirDown);
  Frames(1);
  EXPECT_EQ(Y(), 1);
}

TEST_F(PlayerTest, OnlyOneTurnPerStep) {
  Play();
  Ready();
  Key(kDirRight);
  Key(kDirLeft);
  EXPECT_EQ(head->direction, kDirRight);
  Frames(3);
  EXPECT_EQ(X(), 103);
  Key(kDirLeft);
  EXPECT_EQ(head->direction, kDirLeft) << "a reversal on captured ground is accepted";
}

TEST_F(PlayerTest, AReversalWhileCuttingIsIgnored) {
  Play();
  Ready();
  Key(kDirDown);
  Frames(5);
  ASSERT_TRUE(head->Cutting());
  Key(kDirUp);
  EXPECT_EQ(head->direction, kDirDown);
  Key(kDirLeft);
  EXPECT_EQ(head->direction, kDirLeft) << "a right angle is a turn, not a reversal";
}

TEST_F(PlayerTest, TheHeadStopsAtTheEdge) {
  Play();
  Ready();
  Key(kDirRight);
  Frames(150);
  EXPECT_EQ(X(), 199);
  EXPECT_EQ(head->velocity, (game::Vec8{0, 0}));
  EXPECT_EQ(head->direction, kDirNone);
}

TEST_F(PlayerTest, TheCutIsLineThickWideWithSeedsBesideIt) {
  for (const int thick : {3, 1}) {
    Play("unbreakable_param=0 10\nline_thick=" + std::to_string(thick) + "\n");
    Ready();
    Key(kDirDown);
    Frames(10);
    const int half = thick / 2;
    for (int x = 95; x <= 105; ++x) {
      const bool inCut = x >= 100 - half && x <= 100 + half;
      EXPECT_EQ((world.grid.At(x, 5) & CELL_CUT) != 0, inCut) << "thick " << thick << " column " << x;
    }
    EXPECT_EQ(head->seedA.x, 100 - half - 1) << thick;
    EXPECT_EQ(head->seedB.x, 100 + half + 1) << thick;
    EXPECT_EQ(head->cutStart, (config::Point{100, 1}));
    EXPECT_EQ(world.grid.At(100, Y() + half) & CELL_CUT, CELL_CUT) << "the cut runs half its width ahead";
  }
}

TEST_F(PlayerTest, AClosedCutCapturesStopsTheHeadAndScores) {
  Play("unbreakable_param=0 10\n", "enemy_count=2\nen_2_ID=2\nen_2_xy=50 50\n");
  Ready();
  Key(kDirDown);
  Frames(120);
  EXPECT_FALSE(head->Cutting());
  EXPECT_EQ(Y(), 99) << "on the bottom border, where the cut closed";
  EXPECT_EQ(head->velocity, (game::Vec8{0, 0}));
  EXPECT_EQ(world.grid.At(150, 50), CELL_FILLED) << "the free side";
  EXPECT_EQ(world.grid.At(50, 50), CELL_OPEN) << "the guarded side";
  EXPECT_EQ(world.grid.At(100, 50), CELL_FILLED) << "the cut";
  EXPECT_EQ(world.grid.At(99, 50), CELL_FILLED) << "its side columns";
  EXPECT_EQ(world.percent, 51);
  EXPECT_EQ(world.score, 49 + 49 * 98 / 100) << "a gain of 49 with its bonus";
}

TEST_F(PlayerTest, AClosedCutNudgesOntoCapturedGround) {
  // A wide cut going up from the bottom border stops on captured ground beyond the top of the cut.
  Play("unbreakable_param=0 10\nline_thick=5\n",
       "borders_count=5\nline_1=0 0 200 0\nline_2=0 99 200 99\nline_3=0 0 0 100\nline_4=199 0 199 100\n"
       "line_5=0 40 200 40\n");
  head->SetCell(60, 99);
  head->startPosition = {60, 99};
  Ready();
  Key(kDirUp);
  Frames(80);
  EXPECT_FALSE(head->Cutting());
  EXPECT_EQ(world.grid.At(60, 60), CELL_FILLED);
  EXPECT_LE(Y(), 40) << "on the border or beyond it";
  EXPECT_GE(Y(), 40 - 2) << "at most half the cut width beyond";
  EXPECT_EQ(world.grid.At(X(), Y()) & CELL_FILLED, CELL_FILLED);
}

TEST_F(PlayerTest, RunningIntoTheOwnCutKillsAndTheCutVanishesAtRespawn) {
  struct Turn {
    std::int32_t first, second, back;
  };
  // Down, then across and back up into the cut from either side.
  for (const Turn t : {Turn{kDirRight, kDirUp, kDirLeft}, Turn{kDirLeft, kDirUp, kDirRight}}) {
    Play();
    world.lives = 3;
    Ready();
    Key(kDirDown);
    Frames(30);
    Key(t.first);
    Frames(8);
    Key(t.second);
    Frames(8);
    Key(t.back);
    Frames(10);
    EXPECT_TRUE(head->dying);
    EXPECT_GT(Count(CELL_CUT), 0);
    Frames(60);  // the fade, then the laser's second
    EXPECT_FALSE(head->dying);
    EXPECT_EQ(Count(CELL_CUT), 0);
    EXPECT_EQ(world.lives, 2);
    EXPECT_EQ(X(), 100);
    EXPECT_EQ(Y(), 0);
  }
}

TEST_F(PlayerTest, ANegativeLaserDeathTimeStillBringsTheHeadBack) {
  Play("unbreakable_param=0 10\n", "", "laser_death_time=-5\n");
  world.lives = 3;
  Ready();
  head->Die();
  Frames(30);  // the fade
  EXPECT_FALSE(head->dying) << "re-armed at once instead of never";
  EXPECT_EQ(world.lives, 2);
}

TEST_F(PlayerTest, ProtectionBlocksHarmUntilTheFirstTurn) {
  Play("unbreakable_param=5 10\n", "enemy_count=2\nen_2_ID=2\nen_2_xy=100 3\n");
  world.objects[1]->moveOn = game::kMoveAnywhere;  // hurts the head on captured ground too
  Frames(3);
  EXPECT_FALSE(head->dying) << "protected";
  EXPECT_GT(head->protectFrames, 0);
  Frames(kStartDelayFrames);
  Key(kDirRight);
  EXPECT_EQ(head->protectFrames, 0);
  Frames(1);
  EXPECT_TRUE(head->dying) << "the first turn ended the protection";
}

TEST_F(PlayerTest, AnEnemyTouchingTheCutKillsTheHead) {
  Play();
  Ready();
  Key(kDirDown);
  Frames(20);
  ASSERT_TRUE(head->Cutting());
  world.TouchedCut(*world.objects[0], 100, 5);
  EXPECT_FALSE(head->dying) << "the head's own probe is not an enemy";
  Play("unbreakable_param=0 10\n", "enemy_count=2\nen_2_ID=2\nen_2_xy=150 50\n");
  Ready();
  world.TouchedCut(*world.objects[1], 100, 5);
  EXPECT_TRUE(head->dying);
}

TEST_F(PlayerTest, ABallRunningIntoTheOpenCutKillsTheHead) {
  factory.Register(game::kTypeBall, [] { return std::make_unique<BallObject>(); });
  Play("unbreakable_param=0 10\n[enemy]\nID=3\ntype=100000\nrect=-5 -5 10 10\naprox_figure=20000\n"
       "aprox_figure_param=0 0 5 0 0 0 0 0\nspeed_rand=2 2\nprocess_cur_state=1\nframes_borders_count=1\n"
       "b_frame_1=4 5 0 -5 0 0 5 0 -5\n",
       "enemy_count=2\nen_2_ID=3\nen_2_xy=140 12\n");
  ASSERT_EQ(world.objects.size(), 2u);
  world.objects[1]->velocity = {-512, 0};
  Ready();
  Key(kDirDown);
  for (int i = 0; i < 60 && !head->dying; ++i) Frames(1);
  EXPECT_TRUE(head->dying);
  EXPECT_TRUE(head->Cutting()) << "the cut was still open";
  EXPECT_GT(world.objects[1]->CellX(), 100) << "the ball stopped at the cut, never crossed it";
}

TEST_F(PlayerTest, AStaleStylusReleaseDoesNothing) {
  Play();
  Ready();
  head->StylusPress(100, 60);
  Frames(41);
  head->StylusRelease(100, 60);
  EXPECT_EQ(head->direction, kDirNone);
  head->StylusPress(130, 20);
  Frames(39);
  head->StylusRelease(130, 20);
  EXPECT_EQ(head->direction, kDirRight) << "farther across than down";
}

TEST_F(PlayerTest, WithoutALaserPictureTheGameGoesOn) {
  Play();
  EXPECT_EQ(world.emitter.FrameCount(), 0);
  gfx::Surface screen;
  ASSERT_EQ(screen.CreateSurface(gfx::kCreateClear, 320, 240), S_OK);
  world.DrawBeam(screen, 0, 0);
  EXPECT_EQ(screen.Row(0)[0], 0) << "no beam";
  Ready();
  Key(kDirDown);
  Frames(10);
  EXPECT_EQ(Y(), 10);
}

}  // namespace
}  // namespace zelph::objects
