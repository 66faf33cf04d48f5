// The rules of the field a player sees: borders, the captured share, what a closed cut captures, and the
// score a capture earns.
#include <gtest/gtest.h>

#include "game/grid_line.h"
#include "world_fixture.h"

namespace zelph::game::test {
namespace {

constexpr gfx::Pixel kBorderPixel = gfx::ColorToPixel(0x00FFFF);  // "borders_color=255 255 0"

class FieldRules : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    Document(Level(1, 1, kBox));
    ASSERT_EQ(Load(), S_OK);
  }

  // A cut down column 100 from the top border to the bottom one.
  void CutColumn() {
    for (std::int32_t y = 1; y < 99; ++y) world.grid.At(100, y) |= CELL_CUT;
  }

  Pin& AddPin(std::int32_t x, std::int32_t y, std::int32_t testFill = 1) {
    auto pin = std::make_unique<Pin>();
    pin->SetCell(x, y);
    pin->testFill = testFill;
    pin->AttachWorld(&world);
    world.objects.push_back(std::move(pin));
    return static_cast<Pin&>(*world.objects.back());
  }

  // As the head does when its cut closes: the capture, then the score.
  void CaptureAcross() {
    world.Capture({99, 50}, {101, 50}, {100, 1});
    world.UpdateScore();
  }

  gfx::Pixel ComposedAt(std::int32_t cellX, std::int32_t cellY) {
    return world.composed.Row(world.gameField.top + cellY)[(world.gameField.left + cellX) * world.composed.XStep()];
  }
};

TEST_F(FieldRules, TheCapturedShareIsTruncated) {
  CellGrid grid;
  ASSERT_EQ(grid.Create(200, 100, CELL_OPEN), S_OK);
  for (int i = 0; i < 1999; ++i) grid.Data()[i * 7 % 20000] = CELL_FILLED;
  EXPECT_EQ(GameWorld::MeasurePercent(grid), 9);
  grid.Data()[1] = CELL_FILLED | CELL_SLOW;
  EXPECT_EQ(GameWorld::MeasurePercent(grid), 10);
  EXPECT_EQ(grid.Create(0, 5, CELL_OPEN), gfx::GFX_E_GENERIC);
  EXPECT_EQ(grid.Create(70000, 70000, CELL_OPEN), E_OUTOFMEMORY);
}

TEST_F(FieldRules, BorderLinesCoverTheirRunWithoutTheFarEnd) {
  CellGrid grid;
  ASSERT_EQ(grid.Create(40, 30, CELL_OPEN), S_OK);
  auto filled = [&] {
    std::vector<std::pair<int, int>> cells;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        if (grid.At(x, y) == CELL_FILLED) cells.emplace_back(x, y);
      }
    }
    grid.Create(40, 30, CELL_OPEN);
    return cells;
  };
  DrawGridLine(grid, 7, 7, 7, 7, CELL_FILLED, 0);
  EXPECT_TRUE(filled().empty()) << "equal ends write nothing";
  DrawGridLine(grid, 20, 5, 10, 5, CELL_FILLED, 0);
  auto row = filled();
  ASSERT_EQ(row.size(), 10u);
  EXPECT_EQ(row.front(), std::make_pair(10, 5));
  EXPECT_EQ(row.back(), std::make_pair(19, 5));
  DrawGridLine(grid, 3, -50, 3, 4, CELL_FILLED, 0);
  EXPECT_EQ(filled().size(), 4u) << "rows 0..3, cut to the grid";
  DrawGridLine(grid, 50, 0, 50, 10, CELL_FILLED, 0);
  EXPECT_TRUE(filled().empty()) << "a column outside the grid";
  DrawGridLine(grid, 0, 0, 5, 5, CELL_FILLED, 0);
  EXPECT_EQ(filled().size(), 6u) << "a sloped line includes both ends";
  DrawGridLine(grid, -10, -10, 5, 5, CELL_FILLED, 0);
  auto clipped = filled();
  ASSERT_EQ(clipped.size(), 6u) << "clipped onto the grid's corner";
  EXPECT_EQ(clipped.front(), std::make_pair(0, 0));
  DrawGridLine(grid, -10, 3, -2, 20, CELL_FILLED, 0);
  EXPECT_TRUE(filled().empty()) << "both ends beyond the left edge";
  grid.At(1, 1) = CELL_OPEN | CELL_SLOW;
  DrawGridLine(grid, 0, 1, 3, 1, CELL_CUT, kLineOr);
  EXPECT_EQ(grid.At(1, 1), CELL_OPEN | CELL_SLOW | CELL_CUT);
  DrawGridLine(grid, 0, 1, 3, 1, static_cast<CellValue>(~CELL_CUT), kLineAnd);
  EXPECT_EQ(grid.At(1, 1), CELL_OPEN | CELL_SLOW);
}

TEST_F(FieldRules, ACutAcrossTheFieldCapturesOnlyTheUnguardedSide) {
  AddPin(50, 50);
  CutColumn();
  CaptureAcross();
  EXPECT_EQ(world.grid.At(150, 50), CELL_FILLED);
  EXPECT_EQ(world.grid.At(100, 50), CELL_FILLED) << "the cut is filled";
  EXPECT_EQ(world.grid.At(50, 50), CELL_OPEN) << "the guarded side stays";
  EXPECT_EQ(Count(CELL_FILLED), 596 + 98 + 98 * 98);
  EXPECT_EQ(TexturePixel(150, 50), kKeyPixel);
  EXPECT_EQ(ComposedAt(150, 50), gfx::ColorToPixel(kPicture)) << "the picture shows through";
  EXPECT_EQ(ComposedAt(50, 50), gfx::ColorToPixel(kWood));
  EXPECT_EQ(TexturePixel(1, 50), kBorderPixel) << "the open region's edge is outlined";
  EXPECT_EQ(TexturePixel(99, 50), kBorderPixel) << "beside the cut";
  EXPECT_EQ(TexturePixel(50, 50), gfx::ColorToPixel(kWood));
  EXPECT_EQ(world.percent, 51);
  EXPECT_EQ(world.objects.size(), 1u);
}

TEST_F(FieldRules, BothSidesFreeCaptureEverything) {
  CutColumn();
  CaptureAcross();
  EXPECT_EQ(world.percent, 100);
  EXPECT_EQ(world.score, 290) << "a gain of 98 scores 98 x 2.96";
}

TEST_F(FieldRules, WithoutSeedsOnlyTheCutIsFilled) {
  AddPin(150, 50);
  CutColumn();
  world.Capture(kNoCell, kNoCell, {100, 1});
  EXPECT_EQ(Count(CELL_FILLED), 596 + 98);
  EXPECT_EQ(Count(CELL_CUT), 0);
  EXPECT_EQ(world.objects.size(), 1u);
}

TEST_F(FieldRules, AnObjectThatNeverGuardsIsRemovedWithItsRegion) {
  AddPin(150, 50, 0);  // would guard the right side if it could
  AddPin(50, 50, 2);
  Pin& guard = AddPin(120, 20, 1);
  guard.dead = true;  // a dead object guards nothing either
  CutColumn();
  CaptureAcross();
  EXPECT_EQ(world.percent, 100);
  ASSERT_EQ(world.objects.size(), 1u) << "only the dead one stays, until its fade ends";
  EXPECT_EQ(world.objects[0].get(), &guard);
}

TEST_F(FieldRules, AnObjectOnABorderGuardsTheRegionBesideIt) {
  Pin& onBorder = AddPin(0, 50);
  onBorder.moveOn = kMoveOnFilled;
  CutColumn();
  CaptureAcross();
  // From a border cell the test flood still reaches the open cells beside it, so it guards the left side.
  EXPECT_EQ(world.grid.At(50, 50), CELL_OPEN);
  EXPECT_EQ(world.grid.At(150, 50), CELL_FILLED);
  EXPECT_EQ(world.objects.size(), 1u);
}

TEST_F(FieldRules, ScoreGrowsWithTheGainAndItsBonus) {
  struct Case {
    std::int32_t from, to, price, gain;
  };
  for (const Case c : {Case{0, 4, 1, 4}, Case{0, 5, 1, 5}, Case{10, 60, 1, 100}, Case{30, 42, 10, 148},
                       Case{0, 100, 1, 300}, Case{40, 30, 1, 0}}) {
    CellGrid& grid = world.grid;
    grid.Create(100, 100, CELL_OPEN);
    std::fill_n(grid.Data(), c.to * 100, CELL_FILLED);
    world.lastPercent = c.from;
    world.percentPrice = c.price;
    world.score = 1000;
    world.UpdateScore();
    EXPECT_EQ(world.score, 1000 + c.gain) << c.from << " -> " << c.to;
    EXPECT_EQ(world.lastPercent, c.to);
  }
}

TEST_F(FieldRules, TheProgressBarFollowsTheShareTowardsThePass) {
  world.initialPercent = 20;
  world.passPercent = 70;
  world.barFullWidth = 100;
  world.wonFrames = 9;
  for (const auto& [share, width] : {std::pair{45, 50}, {20, 0}, {95, 100}}) {
    world.grid.Create(100, 100, CELL_OPEN);
    std::fill_n(world.grid.Data(), share * 100, CELL_FILLED);
    world.lastPercent = -1;
    world.UpdateScore();
    EXPECT_EQ(world.barClip.right, width) << share;
  }
  EXPECT_EQ(world.wonFrames, 0) << "passing the level restarts the count to the won signal";
}

}  // namespace
}  // namespace zelph::game::test
