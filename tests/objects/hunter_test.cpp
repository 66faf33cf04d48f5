// The hunter as a player meets it: it comes at the head along the larger distance or the diagonal, turns
// its picture the short way a step at a time, stops short of captured ground and of colliding objects, and
// catches the head, unless the head is in god mode and kills it.
#include <utility>

#include "objects/hunter_object.h"
#include "objects/kinds_rig.h"
#include "ui/support/pictures.h"

namespace zelph::objects::test {
namespace {

using game::Vec8;

// Probe points six cells ahead in each direction, and a 10 x 10 collision rectangle for every direction.
std::string HunterDefinition(std::uint32_t id, const std::string& keys) {
  std::string text = "[enemy]\nID=" + std::to_string(id) + "\n" + keys +
                     "type=300000\nrect=-5 -5 10 10\naprox_figure=20000\naprox_figure_param=0 0 5 0 0 0 0 0\n"
                     "speed_rand=2 2\nprocess_cur_state=1\ncollide=1\nmove_on=3\n";
  const int ahead[8][2] = {{0, -6}, {6, -6}, {6, 0}, {6, 6}, {0, 6}, {-6, 6}, {-6, 0}, {-6, -6}};
  for (int d = 0; d < 8; ++d) {
    text += "b_pnt_" + std::to_string(d) + "=1 " + std::to_string(ahead[d][0]) + " " +
            std::to_string(ahead[d][1]) + "\ncoll_rect_" + std::to_string(d) + "=-5 -5 5 5\n";
  }
  return text;
}

class Hunter : public KindsTest {
 protected:
  // The head at (100, 0) and one hunter (definition 2 with `keys` first) at (x, y).
  void PlayWithHunter(std::int32_t x, std::int32_t y, const std::string& keys = "",
                      const std::string& more = "", int count = 2, const std::string& head = "") {
    Play("en_2_ID=2\nen_2_xy=" + std::to_string(x) + " " + std::to_string(y) + "\n" + more, count,
         HunterDefinition(2, keys), head);
    hunter = dynamic_cast<HunterObject*>(Find(2));
    ASSERT_NE(hunter, nullptr);
  }
  // The shown direction after each of `n` updates.
  std::vector<std::int32_t> Shown(int n) {
    std::vector<std::int32_t> shown;
    for (int i = 0; i < n; ++i) {
      hunter->Update(world.grid, game::kUpdateAll);
      shown.push_back(hunter->ShownDirection());
    }
    return shown;
  }

  HunterObject* hunter = nullptr;
};

TEST_F(Hunter, ComesAtTheHeadAlongTheLargerDistanceOrTheDiagonal) {
  PlayWithHunter(110, 10);
  hunter->Update(world.grid, game::kUpdateAll);
  EXPECT_EQ(hunter->TargetDirection(), 7) << "10 right of and 10 below the head: up-left";
  EXPECT_EQ(hunter->velocity, (Vec8{-512, -512})) << "the full speed on both axes";
  EXPECT_EQ(hunter->position, (Vec8{108 * 256, 8 * 256}));

  // From every side of a head standing at (100, 50).
  head->SetCell(100, 50);
  struct Case {
    std::int32_t dx, dy, direction;
  };
  for (const Case c : {Case{0, 20, 0}, Case{-10, 10, 1}, Case{-30, 5, 2}, Case{-10, -10, 3}, Case{4, -20, 4},
                       Case{10, -10, 5}, Case{30, -29, 6}, Case{10, 10, 7}}) {
    hunter->SetCell(100 + c.dx, 50 + c.dy);
    hunter->Move(world.grid);
    EXPECT_EQ(hunter->TargetDirection(), c.direction) << c.dx << "," << c.dy;
  }
  // On the head's own cell it keeps its course.
  hunter->SetCell(100, 50);
  hunter->Move(world.grid);
  EXPECT_EQ(hunter->TargetDirection(), 7);
  EXPECT_EQ(hunter->velocity, (Vec8{-512, -512}));
  // Without a head nothing moves.
  world.player = nullptr;
  hunter->SetCell(60, 60);
  hunter->Move(world.grid);
  EXPECT_EQ(hunter->position, (Vec8{60 * 256, 60 * 256}));
}

TEST_F(Hunter, TurnsItsPictureTheShortWayOneStepEveryTurnDelayPlusOneUpdates) {
  gfx::Sprite held[8];
  std::string images;
  for (int d = 0; d < 8; ++d) {
    ASSERT_EQ(
        held[d].LoadMemory(ui::test::Solid(4, 4, {0x101010u * static_cast<unsigned>(d + 1)}), 0, 0x5200 + d),
        S_OK);
    images += "image_" + std::to_string(d) + "=" + std::to_string(0x5200 + d) + "\n";
  }
  // The head to the left: left is 6, reached from 0 by way of 7.
  PlayWithHunter(150, 50, images);
  head->SetCell(50, 50);
  EXPECT_EQ(hunter->TurnDelay(), 2) << "the default without \"play_param\"";
  EXPECT_EQ(Shown(8), (std::vector<std::int32_t>{0, 0, 0, 7, 7, 7, 6, 6}));
  EXPECT_EQ(hunter->sprite, &hunter->Picture(6)) << "the shown direction's picture is drawn";
  EXPECT_EQ(hunter->Picture(6).FrameCount(), 1);

  // To the right (2) the other way round, every update with a turn delay of 0.
  PlayWithHunter(50, 50, images + "play_param=0 1 1 0\n");
  head->SetCell(150, 50);
  EXPECT_EQ(Shown(6), (std::vector<std::int32_t>{0, 0, 0, 1, 2, 2}));
  for (auto& s : held) s.Reset(false);
}

TEST_F(Hunter, StopsShortOfCapturedGroundAndTriesAgainEveryFrame) {
  PlayWithHunter(100, 60, "move_on=2\n");
  for (int y = 40; y < 46; ++y) {
    for (int x = 0; x < 200; ++x) world.grid.At(x, y) = game::CELL_FILLED;
  }
  for (int i = 0; i < 12; ++i) {
    hunter->Update(world.grid, game::kUpdateAll);
    EXPECT_GE(hunter->CellY() - 6, 46) << "its probe never rests on the ground, update " << i;
  }
  EXPECT_EQ(hunter->CellY(), 52);
  EXPECT_EQ(hunter->velocity, (Vec8{0, 0})) << "stopped";
  EXPECT_EQ(hunter->TargetDirection(), 0) << "stopping keeps the target";
  hunter->Update(world.grid, game::kUpdateAll);
  EXPECT_EQ(hunter->CellY(), 52) << "each frame it sets off, touches and backs off again";
}

TEST_F(Hunter, GroundMetAtTheEdgeOfItsRangeDoesNotStrandIt) {
  // Ground along the top five rows, a probe a cell ahead: the edge of its range (its radius, 5) turns it
  // in the same frame its probe touches the ground, and it must back out the way it came, not into it.
  PlayWithHunter(100, 20, "move_on=2\nspeed_rand=1 1\nb_pnt_0=1 0 -1\n");
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 200; ++x) world.grid.At(x, y) = game::CELL_FILLED;
  }
  hunter->position = {100 * 256, 5 * 256 + 128};
  hunter->Update(world.grid, game::kUpdateAll);
  EXPECT_EQ(hunter->CellY(), 6) << "backed down, out of the ground";
  EXPECT_EQ(hunter->velocity, (Vec8{0, 0}));
  world.RemoveStrandedObjects();
  EXPECT_EQ(Find(2), hunter) << "still on open ground";
}

TEST_F(Hunter, ACollidingObjectStopsOnlyAHunterThatDoesNotCollideItself) {
  const std::string ball =
      "[enemy]\nID=3\ntype=100000\nrect=-5 -5 10 10\naprox_figure=20000\naprox_figure_param=0 0 5 0 0 0 0 0\n"
      "speed_rand=0 0\ncollide=1\nmove_on=3\n";
  for (const bool collides : {false, true}) {
    Play("en_2_ID=2\nen_2_xy=100 70\nen_3_ID=3\nen_3_xy=100 45\n", 3,
         HunterDefinition(2, collides ? "" : "collide=0\n") + ball);
    hunter = dynamic_cast<HunterObject*>(Find(2));
    ASSERT_NE(hunter, nullptr);
    for (int i = 0; i < 15; ++i) hunter->Update(world.grid, game::kUpdateAll);
    if (collides) {
      EXPECT_LT(hunter->CellY(), 50) << "a colliding hunter leaves the meeting to the world's collisions";
    } else {
      EXPECT_EQ(hunter->CellY(), 56) << "held where its rectangle would reach the ball";
      EXPECT_EQ(hunter->velocity, (Vec8{0, 0}));
    }
  }
}

TEST_F(Hunter, CatchesTheHeadUnlessGodModeKillsIt) {
  for (const bool hunterFirst : {false, true}) {
    for (const bool god : {false, true}) {
      const std::string where =
          std::string(hunterFirst ? "hunter first" : "head first") + (god ? ", god mode" : "");
      PlayWithHunter(100, 42);
      head->SetCell(100, 30);  // out on open ground: the hunter's radius keeps it off the border
      if (hunterFirst) std::swap(world.objects[0], world.objects[1]);
      if (god) head->SetGodMode(5);
      Frames(8);
      if (god) {
        EXPECT_FALSE(head->dying) << where;
        EXPECT_TRUE(hunter->dead) << where;
        Frames(30);
        EXPECT_EQ(Find(2), nullptr) << where << ": faded and removed";
      } else {
        EXPECT_TRUE(head->dying) << where;
        EXPECT_FALSE(hunter->dead) << where;
      }
    }
  }
}

TEST_F(Hunter, AMissingProbeOrRectangleKeyShiftsTheLaterOnesDown) {
  const std::string keys = "b_pnt_0=1 0 -9\nb_pnt_2=2 1 1 2 2\ncoll_rect_1=-1 -2 3 4\n";
  Play("en_2_ID=2\nen_2_xy=60 60\n", 2,
       "[enemy]\nID=2\ntype=300000\nrect=-5 -5 10 10\naprox_figure=20000\naprox_figure_param=0 0 5 0 0 0 0 "
       "0\n" +
           keys);
  hunter = dynamic_cast<HunterObject*>(Find(2));
  ASSERT_NE(hunter, nullptr);
  ASSERT_EQ(hunter->ProbeLists().size(), 2u);
  EXPECT_EQ(hunter->ProbeLists()[1], (PointList{{1, 1}, {2, 2}})) << "b_pnt_2 serves direction 1";
  ASSERT_EQ(hunter->CollisionRects().size(), 1u);
  hunter->Update(world.grid, game::kUpdateAnimate);
  EXPECT_EQ(hunter->figureRect, (gfx::Rect{-1, -2, 3, 4})) << "coll_rect_1 serves direction 0";
}

}  // namespace
}  // namespace zelph::objects::test
