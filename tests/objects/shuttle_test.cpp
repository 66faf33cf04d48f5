// The shuttle as a player sees it: it runs along its axis, is turned back at the field's edges by its
// collision rectangle, by captured ground at either end, and by other objects, once per contact.
#include <algorithm>
#include <cmath>

#include "objects/ball_rig.h"
#include "objects/shuttle_object.h"

namespace zelph::objects::test {
namespace {

constexpr std::uint32_t kAskBoth = game::kCollideRespond | game::kCollideAskOther;

// A 20 x 10 shuttle, one pixel per frame; `keys` come first.
std::string ShuttleDefinition(std::uint32_t id, const std::string& keys = "") {
  return "[enemy]\nID=" + std::to_string(id) + "\n" + keys +
         "type=400000\nrect=-10 -5 20 10\naprox_figure=20001\naprox_figure_param=-10 -5 20 10 0 0 0 0\n"
         "speed_rand=1 1\ncollide=1\nprocess_cur_state=1\ncoll_rect=-10 -5 10 5\n";
}

class Shuttle : public BallTest {
 protected:
  std::unique_ptr<ShuttleObject> Make(std::uint32_t id, std::int32_t x, std::int32_t y) {
    auto s = std::make_unique<ShuttleObject>();
    EXPECT_EQ(s->Init(defs.Section(id), x, y), S_OK);
    return s;
  }

  Definitions defs{ShuttleDefinition(1) + ShuttleDefinition(2, "move_param=0 1 0 0\n") +
                   ShuttleDefinition(3, "move_param=0 0 0 0\nspeed_rand=3 3\n") +
                   ShuttleDefinition(4, "b_pnt1=1 -11 0\nb_pnt2=1 11 0\n") +
                   ShuttleDefinition(5, "move_param=0 1 0 0\nb_pnt1=1 0 -6\nb_pnt2=1 0 6\n") +
                   BallDefinition(9)};
  CellGrid grid = OpenField(100, 60);
};

TEST_F(Shuttle, AtAnEdgeItIsSetBackByItsRectangleKeepingTheFractionAndTurned) {
  auto s = Make(1, 6, 30);
  s->position.x = 6 * 256 + 128;
  s->velocity = {-256, 0};
  s->Move(grid);
  EXPECT_EQ(s->position.x, 10 * 256 + 128) << "at x 5.5 its left edge was off the field: back to 10.5";
  EXPECT_EQ(s->velocity, (Vec8{256, 0}));

  s->position.x = 90 * 256 + 64;
  s->Move(grid);
  EXPECT_EQ(s->position.x, 90 * 256 + 64) << "at 91.25 its right edge was past 100: back by one";
  EXPECT_EQ(s->velocity, (Vec8{-256, 0}));

  auto v = Make(2, 50, 5);
  v->position.y = 4 * 256 + 192;
  v->velocity = {0, -256};
  v->Move(grid);
  EXPECT_EQ(v->position.y, 5 * 256 + 192);
  EXPECT_EQ(v->velocity, (Vec8{0, 256}));

  // Placing corrects the position the same way without turning.
  v->position.y = 4 * 256 + 192;
  v->velocity = {0, -256};
  v->Prepare(grid);
  EXPECT_EQ(v->position.y, 5 * 256 + 192);
  EXPECT_EQ(v->velocity, (Vec8{0, -256}));
}

TEST_F(Shuttle, ProbesAtEitherEndBounceItBetweenTwoBorders) {
  Fill(grid, 0, 0, 30, 60);
  Fill(grid, 70, 0, 100, 60);
  for (const std::uint32_t id : {4u, 5u}) {
    const bool horizontal = id == 4;
    CellGrid g = OpenField(100, 60);
    if (horizontal) {
      g = grid;
    } else {
      Fill(g, 0, 0, 100, 20);
      Fill(g, 0, 40, 100, 60);
    }
    auto s = Make(id, 50, 30);
    std::int32_t low = 1000, high = -1000, turns = 0;
    for (int i = 0; i < 200; ++i) {
      const Vec8 before = s->velocity;
      s->Update(g, game::kUpdateAll);
      if (s->velocity != before) ++turns;
      const std::int32_t at = horizontal ? s->CellX() : s->CellY();
      low = std::min(low, at);
      high = std::max(high, at);
    }
    EXPECT_EQ(low, horizontal ? 40 : 25) << "turned where its left or upper probe met the ground";
    EXPECT_EQ(high, horizontal ? 59 : 34) << "and where its right or lower one did";
    EXPECT_GE(turns, 8);
    EXPECT_EQ(horizontal ? s->velocity.y : s->velocity.x, 0) << "always along its axis";
  }
}

TEST_F(Shuttle, WithoutProbesOnlyEdgesAndObjectsTurnIt) {
  Fill(grid, 40, 0, 60, 60);
  auto s = Make(1, 20, 30);
  s->velocity = {256, 0};
  for (int i = 0; i < 40; ++i) s->Update(grid, game::kUpdateAll);
  EXPECT_EQ(s->CellX(), 60) << "straight over the captured ground";
  EXPECT_EQ(s->velocity, (Vec8{256, 0}));
}

TEST_F(Shuttle, TheAxisComesFromMoveParam) {
  int right = 0, left = 0;
  for (int i = 0; i < 20; ++i) {
    auto h = Make(1, 50, 30);
    EXPECT_EQ(h->RunsAlong(), ShuttleObject::Axis::kHorizontal) << "the default";
    EXPECT_EQ(h->velocity.y, 0);
    EXPECT_EQ(std::abs(h->velocity.x), 256);
    (h->velocity.x > 0 ? right : left)++;
  }
  EXPECT_GT(right, 0);
  EXPECT_GT(left, 0);
  auto v = Make(2, 50, 30);
  EXPECT_EQ(v->velocity.x, 0);
  EXPECT_EQ(std::abs(v->velocity.y), 256);
  auto free = Make(3, 50, 30);
  EXPECT_EQ(free->RunsAlong(), ShuttleObject::Axis::kFree);
  EXPECT_NEAR(std::hypot(free->velocity.x, free->velocity.y), 768, 4)
      << "the random direction it was made with";
  EXPECT_EQ(free->figureRect, (gfx::Rect{-10, -5, 10, 5})) << "\"coll_rect\" replaces the figure";
}

TEST_F(Shuttle, AContactTurnsItBackAlongItsAxisOncePerContact) {
  for (const bool shuttleAsks : {false, true}) {
    auto s = Make(1, 50, 30);
    s->velocity = {256, 0};
    auto ball = MakeBall(defs.Section(9), 64, 30, {-768, 0});
    auto meet = [&] {
      return shuttleAsks ? s->Collide(ball.get(), kAskBoth) : ball->Collide(s.get(), kAskBoth);
    };
    EXPECT_EQ(meet(), 1);
    EXPECT_EQ(s->velocity, (Vec8{-256, 0})) << shuttleAsks;
    EXPECT_EQ(ball->velocity, (Vec8{768, 0})) << "the ball bounces off the shuttle's right side";
    EXPECT_EQ(meet(), 1);
    EXPECT_EQ(s->velocity, (Vec8{-256, 0})) << "the same contact goes on";
    ball->SetCell(90, 30);
    EXPECT_EQ(meet(), 0);
    // Meeting again, both turn again: the contact ended for both, whichever of them asked.
    ball->SetCell(64, 30);
    ball->velocity = {-768, 0};
    EXPECT_EQ(meet(), 1);
    EXPECT_EQ(s->velocity, (Vec8{256, 0})) << "a new contact";
    EXPECT_EQ(ball->velocity, (Vec8{768, 0}));
  }
  auto v = Make(2, 50, 30);
  v->velocity = {0, 256};
  auto free = Make(3, 50, 30);
  free->velocity = {300, 400};
  auto ball = MakeBall(defs.Section(9), 50, 40, {});
  EXPECT_EQ(v->Collide(ball.get(), kAskBoth), 1);
  EXPECT_EQ(v->velocity, (Vec8{0, -256}));
  EXPECT_EQ(free->Collide(ball.get(), kAskBoth), 1);
  EXPECT_EQ(free->velocity, (Vec8{300, 400})) << "a shuttle of neither axis keeps its course";
}

}  // namespace
}  // namespace zelph::objects::test
