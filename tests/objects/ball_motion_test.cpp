// How a ball moves over the field: the edges turn it back, captured ground bounces it away, and a bounce
// straight off an edge gets a random sideways push.
#include <algorithm>
#include <cstdlib>

#include "objects/ball_object.h"
#include "objects/ball_rig.h"

namespace zelph::objects::test {
namespace {

constexpr std::int32_t kW = 100, kH = 60;

class BallMotion : public BallTest {};

TEST_F(BallMotion, EdgesTurnTheBallBackAndHoldItOnTheEdgeInTheSameFrame) {
  Definitions defs(BallDefinition(1));
  CellGrid grid = OpenField(kW, kH);
  struct Case {
    Vec8 start, velocity, endPosition, endVelocity;
  } cases[] = {
      // Just inside the right edge, one frame from crossing it.
      {{(kW - 5) * 256 - 100, 30 * 256}, {768, 0}, {(kW - 5) * 256, 30 * 256}, {-768, 0}},
      {{5 * 256 + 10, 30 * 256}, {-768, 0}, {5 * 256, 30 * 256}, {768, 0}},
      {{50 * 256, (kH - 5) * 256 - 1}, {0, 512}, {50 * 256, (kH - 5) * 256}, {0, -512}},
      {{50 * 256, 5 * 256}, {0, -256}, {50 * 256, 5 * 256}, {0, 256}},
      // A corner turns both.
      {{(kW - 5) * 256 - 1, 5 * 256 + 1}, {300, -300}, {(kW - 5) * 256, 5 * 256}, {-300, 300}},
  };
  for (const Case& c : cases) {
    auto ball = MakeBall(defs.Section(1), 0, 0, c.velocity);
    ball->SetPosition(c.start);
    EXPECT_EQ(ball->Update(grid, game::kUpdateAll), S_OK);
    EXPECT_EQ(ball->position, c.endPosition) << c.start.x << "," << c.start.y;
    EXPECT_EQ(ball->velocity, c.endVelocity) << c.start.x << "," << c.start.y;
    EXPECT_EQ(ball->absRect.left, (c.endPosition.x >> 8) - 5) << "the drawing follows the ball";
  }
}

TEST_F(BallMotion, CapturedGroundBouncesTheBallBackWithoutTouchingIt) {
  Definitions defs(BallDefinition(1));
  CellGrid grid = OpenField(kW, kH);
  Fill(grid, 60, 0, kW, kH);  // everything right of x 60 is captured
  auto ball = MakeBall(defs.Section(1), 40, 30, {768, 0});
  int frame = 0;
  while (ball->velocity.x > 0 && frame < 20) {
    ball->Update(grid, game::kUpdateAll);
    ASSERT_FALSE(OnFilled(grid, *ball)) << "frame " << frame;
    ++frame;
  }
  ASSERT_LT(ball->velocity.x, 0) << "the ball never bounced";
  EXPECT_GE(ball->LastContact().x, 60) << "it touched the captured ground";
  EXPECT_LT(ball->CellX() + 5, 60) << "its rim ends on open ground";
  // Head-on, the reflected direction has no vertical part, so it gets a random one; the speed is kept as
  // the ball's own at most.
  EXPECT_EQ(ball->velocity.x, -768);
  EXPECT_LE(std::abs(ball->velocity.y), 179 * 3);
  for (int i = 0; i < 30; ++i) {
    ball->Update(grid, game::kUpdateAll);
    ASSERT_FALSE(OnFilled(grid, *ball));
  }
}

TEST_F(BallMotion, GroundAtTheEdgeTurnsTheBallAwayFromBoth) {
  // A captured strip along the right edge, narrower than the ball: the edge and the ground are met in the
  // same frame, and the ball must leave both behind instead of being driven into the strip.
  Definitions defs(BallDefinition(1));
  CellGrid grid = OpenField(kW, kH);
  Fill(grid, kW - 3, 0, kW, kH);
  for (const std::int32_t vy : {0, 300, -300}) {
    auto ball = MakeBall(defs.Section(1), kW - 7, 30, {768, vy});
    for (int frame = 0; frame < 40; ++frame) {
      ball->Update(grid, game::kUpdateAll);
      ASSERT_FALSE(OnFilled(grid, *ball)) << "vy " << vy << " frame " << frame;
    }
    EXPECT_LT(ball->CellX(), kW - 20) << "it went back across the field";
  }
}

TEST_F(BallMotion, ANearlyAxialBounceGetsARandomComponentOfAtMostSevenTenths) {
  // At one pixel per frame the velocity after a bounce is the reflected unit direction itself.
  Definitions defs(BallDefinition(1, "speed_rand=1 1\n"));
  CellGrid grid = OpenField(kW, kH);
  Fill(grid, 60, 0, kW, kH);
  std::int32_t lowest = 0, highest = 0;
  for (int bounce = 0; bounce < 200; ++bounce) {
    auto ball = MakeBall(defs.Section(1), 54, 30, {256, 0});
    for (int i = 0; i < 4 && ball->velocity.x > 0; ++i) ball->Update(grid, game::kUpdateAll);
    ASSERT_EQ(ball->velocity.x, -256) << "bounce " << bounce;
    ASSERT_GE(ball->velocity.y, -179) << "bounce " << bounce;
    ASSERT_LE(ball->velocity.y, 179) << "bounce " << bounce;
    lowest = std::min(lowest, ball->velocity.y);
    highest = std::max(highest, ball->velocity.y);
  }
  EXPECT_LT(lowest, -150) << "the push reaches well up";
  EXPECT_GT(highest, 150) << "and well down";
}

}  // namespace
}  // namespace zelph::objects::test
