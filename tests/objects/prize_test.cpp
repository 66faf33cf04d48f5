// The prize on the field as a player meets it: it lies there for its lifetime and fades, only the head can
// take it, and taking it starts its effect with its icon.
#include "objects/prize_object.h"

#include <gtest/gtest.h>

#include "game/world_fixture.h"
#include "objects/ball_object.h"
#include "objects/object_kinds.h"
#include "objects/player.h"

namespace zelph::objects {
namespace {

using game::kOne;
using game::Vec8;
using game::test::kBox;

constexpr std::uint32_t kPrizeId = 6;

constexpr const char* kHead =
    "[enemy]\nID=1\ntype=999999\nrect=-2 -2 5 5\ncut_rect=-3 -3 7 7\naprox_figure=20000\n"
    "aprox_figure_param=0 0 0 0 0 0 0 0\nspeed_rand=3 3\nmove_on=3\ncollide=1\nprocess_cur_state=1\n"
    "test_fill_flag=0\nunbreakable_param=0 10\n";

// A prize lying on the top border, where the head runs, with `keys` first (the first entry of a key wins).
std::string Prize(const std::string& keys) {
  return "[enemy]\nID=6\n" + keys +
         "type=600000\nrect=-2 -2 4 4\naprox_figure=20000\naprox_figure_param=0 0 3 0 0 0 0 0\nmove_on=3\n"
         "collide=1\nprocess_cur_state=1\ntest_fill_flag=0\nspeed_rand=0 0\n";
}

constexpr const char* kBall =
    "[enemy]\nID=3\ntype=100000\nrect=-5 -5 10 10\naprox_figure=20000\naprox_figure_param=0 0 5 0 0 0 0 0\n"
    "speed_rand=2 2\nprocess_cur_state=1\ncollide=1\nframes_borders_count=1\nb_frame_1=4 5 0 -5 0 0 5 0 -5\n";

class PrizeTest : public game::test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    RegisterObjectKinds(factory);
  }
  void TearDown() override {
    game::SetFramesPerSecond(game::kFrameRate);
    WorldTest::TearDown();
  }

  // The boxed 200 x 100 field with the head on the top border at (100, 0) and the prize at (110, 0);
  // `objects` adds placed objects after them.
  void Play(const std::string& prizeKeys, const std::string& objects = "", const std::string& level = "") {
    world.Reset();
    document.Clear();
    Document(std::string(game::test::kLayout) + "laser_death_time=1\n" +
                 Level(1, 1, level + kBox + "enemy_count=" + std::to_string(2 + PlacedCount(objects)) +
                                 "\nen_1_ID=1\nen_1_xy=100 0\nen_2_ID=6\nen_2_xy=110 0\n" + objects) +
                 kHead + Prize(prizeKeys) + kBall,
             false);
    ASSERT_EQ(Load(), S_OK);
    ASSERT_NE(world.player, nullptr);
    head = static_cast<Player*>(world.player);
    ASSERT_GE(world.objects.size(), 2u);
    prize = dynamic_cast<PrizeObject*>(world.objects[1].get());
    ASSERT_NE(prize, nullptr);
  }
  static int PlacedCount(const std::string& objects) {
    int n = 0;
    for (std::size_t at = objects.find("_ID="); at != std::string::npos; at = objects.find("_ID=", at + 1)) ++n;
    return n;
  }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) world.Tick();
  }
  // Past the start delay, then right along the border onto the prize.
  void TakeIt() {
    Frames(kStartDelayFrames);
    head->KeyDown(kDirRight);
    for (int i = 0; i < 10 && !prize->dead; ++i) Frames(1);
    ASSERT_TRUE(prize->dead) << "taken";
  }

  Player* head = nullptr;
  PrizeObject* prize = nullptr;
};

TEST_F(PrizeTest, APrizeDiesOnItsHundredAndFirstUpdateAtTwentyFramesAndFiveSeconds) {
  game::SetFramesPerSecond(20);
  Play("self_death_timer=5\n");
  EXPECT_EQ(prize->LifeFrames(), 100);
  for (int i = 0; i < 100; ++i) prize->Update(world.grid, game::kUpdateAll);
  EXPECT_FALSE(prize->dead);
  prize->Update(world.grid, game::kUpdateAll);
  EXPECT_TRUE(prize->dead) << "the 101st update";
  EXPECT_EQ(prize->opacity, 255);
  prize->Update(world.grid, game::kUpdateAll);
  EXPECT_EQ(prize->opacity, 240) << "fading from the next update on";
  for (int i = 0; i < 30 && !prize->removed; ++i) prize->Update(world.grid, game::kUpdateAll);
  EXPECT_TRUE(prize->removed);
  EXPECT_EQ(prize->Kill(0), gfx::GFX_E_GENERIC) << "a dying prize can no longer be taken";
}

TEST_F(PrizeTest, TakingAnExtraLifeSparesTheHead) {
  Play("prize_type=1\nprize_param=2 0 0 0\n");
  world.lives = 3;
  TakeIt();
  EXPECT_EQ(world.lives, 5);
  EXPECT_FALSE(head->dying) << "the prize is no enemy";
  EXPECT_TRUE(world.prizeIcons.empty()) << "no icon asked for";
  Frames(40);
  EXPECT_EQ(world.objects.size(), 1u) << "the taken prize faded out and went";
}

TEST_F(PrizeTest, OnlyTheHeadCanTouchAPrizeAndABallPassesOverIt) {
  Play("prize_type=1\nprize_param=1 0 0 0\nself_death_timer=100\n", "en_3_ID=3\nen_3_xy=150 30\n");
  game::FieldObject& ball = *world.objects[2];
  EXPECT_EQ(prize->AcceptsContact(&ball), 0);
  EXPECT_EQ(prize->AcceptsContact(head), 1);
  // The ball over the prize, on open ground: the prize refuses the contact.
  prize->SetCell(60, 50);
  ball.SetCell(58, 50);
  ball.velocity = {2 * kOne, 0};
  EXPECT_EQ(ball.Collide(prize, game::kCollideRespond | game::kCollideAskOther), 0);
  EXPECT_EQ(ball.velocity, (Vec8{2 * kOne, 0}));
  // Then flying across it, with the prize earlier in the list asking.
  ball.SetCell(50, 50);
  ball.velocity = {2 * kOne, 0};
  world.lives = 3;
  for (int i = 0; i < 10; ++i) {
    world.StepObjects(game::kUpdateAll, true);
    EXPECT_EQ(ball.velocity, (Vec8{2 * kOne, 0})) << "frame " << i << ": no bounce";
  }
  EXPECT_GT(ball.CellX(), 65) << "the ball went over";
  EXPECT_FALSE(prize->dead);
  EXPECT_EQ(world.lives, 3) << "a ball does not take a prize";
}

TEST_F(PrizeTest, GodModeShowsItsIconAndASecondPrizeRestartsIt) {
  const std::string god =
      "prize_type=2\nprize_param=20 0 0 0\nico_param=1 8 6 10\nico_image=0x01020004\nico_rect=30 210 4 4\n";
  Play(god, "en_3_ID=6\nen_3_xy=130 0\n");
  TakeIt();
  EXPECT_EQ(head->godFrames, 20 * 30) << "twenty seconds";
  EXPECT_EQ(head->CurrentLaserColour(), head->godLaserColour);
  ASSERT_EQ(world.prizeIcons.size(), 1u);
  EXPECT_EQ(world.prizeIcons[0]->key, game::kPrizeGodMode);
  EXPECT_EQ(world.prizeIcons[0]->place.left, 30);
  const std::int32_t firstLife = world.prizeIcons[0]->lifeFrames;
  EXPECT_GE(firstLife, 8 * 30 - 2);
  auto* second = dynamic_cast<PrizeObject*>(world.objects[2].get());
  ASSERT_NE(second, nullptr);
  for (int i = 0; i < 12 && !second->dead; ++i) Frames(1);
  ASSERT_TRUE(second->dead) << "the second god-mode prize taken";
  ASSERT_EQ(world.prizeIcons.size(), 1u) << "still one icon";
  EXPECT_GE(world.prizeIcons[0]->lifeFrames, 8 * 30 - 1) << "its timers started again";
  EXPECT_EQ(world.prizeIcons[0]->steadyFrames, world.prizeIcons[0]->lifeFrames - 60);
  EXPECT_GE(head->godFrames, 20 * 30 - 1);
}

TEST_F(PrizeTest, AnIconNeedsItsParameterEvenWithAPicture) {
  for (const char* param : {"", "ico_param=0 8 6 10\n"}) {
    Play(std::string("prize_type=2\nprize_param=5 0 0 0\nico_image=0x01020004\nico_rect=30 210 4 4\n") + param);
    TakeIt();
    EXPECT_TRUE(world.prizeIcons.empty()) << param;
    EXPECT_GT(head->godFrames, 0) << "the effect still works";
  }
}

TEST_F(PrizeTest, SlowHeadCrawlsAtOnePixelUntilADeath) {
  Play("prize_type=3\nprize_param=1 8 0 0\n");
  TakeIt();
  EXPECT_EQ(head->speed, kOne) << "one pixel per frame";
  EXPECT_TRUE(head->slowed);
  const std::int32_t x = head->CellX();
  Frames(5);
  EXPECT_EQ(head->CellX(), x + 5);
  head->Die();
  Frames(60);  // the fade, then the laser's second
  ASSERT_FALSE(head->dying) << "respawned";
  EXPECT_FALSE(head->slowed) << "the death ended the slow-down";
  EXPECT_EQ(head->speed, 3 * kOne);
}

TEST_F(PrizeTest, SlowEnemiesSparesTheHead) {
  Play("prize_type=4\nprize_param=50 8 0 0\n", "en_3_ID=3\nen_3_xy=150 50\n");
  game::FieldObject& ball = *world.objects[2];
  TakeIt();
  EXPECT_EQ(ball.speed, kOne) << "half of two pixels";
  EXPECT_EQ(head->speed, 3 * kOne);
  EXPECT_FALSE(head->slowed);
}

}  // namespace
}  // namespace zelph::objects
