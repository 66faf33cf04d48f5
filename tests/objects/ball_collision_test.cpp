// How a ball meets other objects: balls exchange their motion along the line of centres and keep their own
// speeds, a hunter is a wall to it, a rectangle turns it away from the side it was hit on, and a contact
// counts once until the two have separated.
#include <cmath>

#include "game/field_object.h"
#include "objects/ball_object.h"
#include "objects/ball_rig.h"

namespace zelph::objects::test {
namespace {

using game::FieldObject;

constexpr std::uint32_t kAskBoth = game::kCollideRespond | game::kCollideAskOther;

std::int32_t Length(Vec8 v) { return static_cast<std::int32_t>(std::lround(std::hypot(v.x, v.y))); }
std::int32_t Degrees(Vec8 v) {
  const std::int32_t a =
      static_cast<std::int32_t>(std::lround(std::atan2(v.y, v.x) * 180 / 3.14159265358979));
  return a < 0 ? a + 360 : a;
}

// An obstacle-like object: a 10 x 10 rectangle figure at its cell, noting how it is asked about contacts.
class Block : public FieldObject {
 public:
  int Collide(FieldObject* other, std::uint32_t flags) override {
    asked.push_back(flags);
    return FieldObject::Collide(other, flags);
  }
  std::vector<std::uint32_t> asked;
};

const char* const kBlockDefinition =
    "[enemy]\nID=9\nrect=0 0 10 10\naprox_figure=20001\naprox_figure_param=0 0 10 10 0 0 0 0\ncollide=1\n";

class BallCollision : public BallTest {
 protected:
  Definitions defs{BallDefinition(1) + BallDefinition(2, "speed_rand=2 2\n") +
                   BallDefinition(3, "alow_grad_arr=4 45 135 225 315\n") + kBlockDefinition};
};

TEST_F(BallCollision, HeadOnBallsExchangeVelocities) {
  auto a = MakeBall(defs.Section(1), 50, 30, {768, 0});
  auto b = MakeBall(defs.Section(1), 58, 30, {-768, 0});
  EXPECT_EQ(a->Collide(b.get(), kAskBoth), 1);
  EXPECT_EQ(a->velocity, (Vec8{-768, 0}));
  EXPECT_EQ(b->velocity, (Vec8{768, 0}));
}

TEST_F(BallCollision, EachBallKeepsItsOwnSpeed) {
  auto fast = MakeBall(defs.Section(1), 50, 30, {768, 0});
  auto slow = MakeBall(defs.Section(2), 58, 30, {-512, 0});
  ASSERT_EQ(fast->Collide(slow.get(), kAskBoth), 1);
  EXPECT_EQ(fast->velocity, (Vec8{-768, 0}));
  EXPECT_EQ(slow->velocity, (Vec8{512, 0}));

  // A glancing contact turns both, each at its own speed.
  auto c = MakeBall(defs.Section(1), 50, 30, {768, 0});
  auto d = MakeBall(defs.Section(2), 56, 35, {0, -512});
  ASSERT_EQ(c->Collide(d.get(), kAskBoth), 1);
  EXPECT_NEAR(Length(c->velocity), 768, 3);
  EXPECT_NEAR(Length(d->velocity), 512, 3);
  EXPECT_LT(c->velocity.y, 0) << "the ball hit from below is pushed up";
  EXPECT_GT(d->velocity.x, 0) << "and the one it hit is pushed on";
}

TEST_F(BallCollision, AContactCountsOnceUntilTheBallsPartAgain) {
  auto a = MakeBall(defs.Section(1), 50, 30, {768, 0});
  auto b = MakeBall(defs.Section(1), 58, 30, {-768, 0});
  ASSERT_EQ(a->Collide(b.get(), kAskBoth), 1);
  EXPECT_EQ(a->lastHit, b.get());
  // Still touching in the next frame: no second exchange that would turn them back into each other.
  EXPECT_EQ(a->OnCollision(b.get(), game::kContactCircle), gfx::GFX_E_GENERIC);
  EXPECT_EQ(a->Collide(b.get(), kAskBoth), 1);
  EXPECT_EQ(a->velocity, (Vec8{-768, 0}));
  EXPECT_EQ(b->velocity, (Vec8{768, 0}));
  // Apart, the contact is forgotten, and the next meeting counts again.
  b->SetCell(80, 30);
  EXPECT_EQ(a->Collide(b.get(), kAskBoth), 0);
  EXPECT_EQ(a->lastHit, nullptr);
  b->SetCell(58, 30);
  b->velocity = {-768, 0};
  a->velocity = {768, 0};
  EXPECT_EQ(a->Collide(b.get(), kAskBoth), 1);
  EXPECT_EQ(a->velocity, (Vec8{-768, 0}));
}

TEST_F(BallCollision, AHunterIsAWallToTheBallAndKeepsItsCourse) {
  auto ball = MakeBall(defs.Section(1), 50, 30, {768, 0});
  auto hunter = MakeBall(defs.Section(1), 58, 30, {0, 768});
  hunter->kindCode = game::kKindHunter;
  ASSERT_EQ(ball->Collide(hunter.get(), kAskBoth), 1);
  EXPECT_EQ(ball->velocity, (Vec8{-768, 0}));
  EXPECT_EQ(hunter->velocity, (Vec8{0, 768}));
}

TEST_F(BallCollision, BothBallsSnapToTheirAllowedAnglesAfterAnExchange) {
  auto a = MakeBall(defs.Section(3), 50, 30, {768, 0});
  auto b = MakeBall(defs.Section(3), 58, 30, {-768, 0});
  ASSERT_EQ(a->Collide(b.get(), kAskBoth), 1);
  EXPECT_EQ(Degrees(a->velocity), 135) << "180 lies as near 135 as 225: the first listed wins";
  EXPECT_EQ(Degrees(b->velocity), 45);
  EXPECT_NEAR(Length(a->velocity), 768, 3);
  EXPECT_NEAR(Length(b->velocity), 768, 3);
}

TEST_F(BallCollision, ARectangleTurnsTheBallAwayFromTheSideItWasHitOn) {
  struct Case {
    config::Point ballCell;
    Vec8 velocity, expected;
  } cases[] = {
      {{46, 25}, {300, 100}, {-300, 100}},    // left side, moving in
      {{46, 25}, {-300, 100}, {-300, 100}},   // left side, already moving away: stays away
      {{63, 25}, {-300, -100}, {300, -100}},  // right side
      {{55, 17}, {100, 300}, {100, -300}},    // above
      {{55, 33}, {100, -300}, {100, 300}},    // below
  };
  for (const Case& c : cases) {
    auto ball = MakeBall(defs.Section(1), c.ballCell.x, c.ballCell.y, c.velocity);
    Block block;
    ASSERT_EQ(block.Init(defs.Section(9), 50, 20), S_OK);
    EXPECT_EQ(ball->Collide(&block, kAskBoth), 1) << c.ballCell.x << "," << c.ballCell.y;
    EXPECT_EQ(ball->velocity, c.expected) << c.ballCell.x << "," << c.ballCell.y;
    ASSERT_EQ(block.asked.size(), 1u) << "the rectangle is asked to respond too";
    EXPECT_EQ(block.asked[0], game::kCollideRespond);
  }
}

TEST_F(BallCollision, OfTwoOpposedSidesTheFirstWins) {
  auto ball = MakeBall(defs.Section(1), 10, 10, {200, 200});
  Block block;
  ASSERT_EQ(block.Init(defs.Section(9), 50, 20), S_OK);
  ASSERT_EQ(ball->OnCollision(&block, game::kContactRect | game::kSideAbove | game::kSideBelow |
                                          game::kSideLeft | game::kSideRight),
            S_OK);
  EXPECT_EQ(ball->velocity, (Vec8{-200, -200}));
}

TEST_F(BallCollision, ARectangleOutOfReachIsNoContact) {
  auto ball = MakeBall(defs.Section(1), 40, 25, {300, 0});
  Block block;
  ASSERT_EQ(block.Init(defs.Section(9), 50, 20), S_OK);
  ball->lastHit = &block;
  EXPECT_EQ(ball->Collide(&block, kAskBoth), 0);
  EXPECT_EQ(ball->velocity, (Vec8{300, 0}));
  EXPECT_EQ(ball->lastHit, nullptr);
  EXPECT_TRUE(block.asked.empty());
}

TEST_F(BallCollision, NoContactWithItselfNothingOrARefusingPartner) {
  class Refuser : public BallObject {
   public:
    int AcceptsContact(FieldObject*) override { return 0; }
  };
  auto ball = MakeBall(defs.Section(1), 50, 30, {768, 0});
  Refuser refuser;
  ASSERT_EQ(refuser.Init(defs.Section(1), 52, 30), S_OK);
  EXPECT_EQ(ball->Collide(ball.get(), kAskBoth), 0);
  EXPECT_EQ(ball->Collide(nullptr, kAskBoth), 0);
  EXPECT_EQ(ball->Collide(&refuser, kAskBoth), 0);
  EXPECT_EQ(ball->velocity, (Vec8{768, 0}));
  EXPECT_EQ(ball->OnCollision(nullptr, game::kContactCircle), gfx::GFX_E_GENERIC);
}

TEST_F(BallCollision, WithoutTheRespondFlagAContactIsOnlyReported) {
  auto a = MakeBall(defs.Section(1), 50, 30, {768, 0});
  auto b = MakeBall(defs.Section(1), 58, 30, {-768, 0});
  EXPECT_EQ(a->Collide(b.get(), 0), 1);
  EXPECT_EQ(a->velocity, (Vec8{768, 0}));
  EXPECT_EQ(a->lastHit, nullptr);
}

}  // namespace
}  // namespace zelph::objects::test
