// The stamp as a level builds it: its picture goes into the wood for good, colour key and all, a disc of
// cells becomes ground that slows the head's cut, and the stamp itself is gone before play starts.
#include "objects/ball_rig.h"
#include "objects/kinds_rig.h"
#include "objects/stamp_object.h"
#include "ui/support/pictures.h"

namespace zelph::objects::test {
namespace {

using game::CELL_FILLED;
using game::CELL_OPEN;
using game::CELL_SLOW;

std::string StampDefinition(std::uint32_t id, int radius, const std::string& keys = "") {
  return "[enemy]\nID=" + std::to_string(id) + "\n" + keys +
         "type=500000\nrect=-2 -2 4 4\naprox_figure=20000\naprox_figure_param=0 0 " + std::to_string(radius) +
         " 0 0 0 0 0\n";
}

// The cells of `grid` that carry the slow mark.
std::vector<config::Point> Slow(const CellGrid& grid) {
  std::vector<config::Point> cells;
  for (std::int32_t y = 0; y < grid.Height(); ++y) {
    for (std::int32_t x = 0; x < grid.Width(); ++x) {
      if (grid.At(x, y) & CELL_SLOW) cells.push_back({x, y});
    }
  }
  return cells;
}

class Stamp : public BallTest {
 protected:
  void SetUp() override {
    BallTest::SetUp();
    ASSERT_EQ(texture.CreateSurface(gfx::kCreateClear, 40, 20), S_OK);
  }
  // A stamp of definition `id` placed at (x, y): answers what Placed answered.
  Result Place(const Definitions& defs, std::uint32_t id, std::int32_t x, std::int32_t y) {
    StampObject stamp;
    EXPECT_EQ(stamp.Init(defs.Section(id), x, y), S_OK);
    EXPECT_EQ(stamp.kindCode, game::kKindStamp);
    return stamp.Placed(texture, grid);
  }
  gfx::Pixel At(std::int32_t x, std::int32_t y) { return texture.Row(y)[x * texture.XStep()]; }

  gfx::Surface texture;
  CellGrid grid = OpenField(40, 20);
};

TEST_F(Stamp, ARadiusOfOneMarksOneRowAndTheDiscClipsAtTheLeftEdge) {
  Definitions defs(StampDefinition(1, 1) + StampDefinition(3, 3));
  EXPECT_EQ(Place(defs, 1, 10, 5), gfx::GFX_E_GENERIC) << "done: the level drops it";
  EXPECT_EQ(Slow(grid), (std::vector<config::Point>{{9, 5}, {10, 5}}));
  EXPECT_EQ(grid.At(10, 5), CELL_OPEN | CELL_SLOW);

  grid = OpenField(40, 20);
  Place(defs, 1, 0, 7);
  EXPECT_EQ(Slow(grid), (std::vector<config::Point>{{0, 7}})) << "nothing left of x = 0";

  // Radius 3: half widths 3, 2, 2 for rows 0, 1, 2 from the centre, the right end not included; captured
  // ground takes the mark too.
  grid = OpenField(40, 20);
  grid.At(20, 10) = CELL_FILLED;
  Place(defs, 3, 20, 10);
  std::vector<config::Point> disc;
  for (std::int32_t y = 8; y <= 12; ++y) {
    const std::int32_t half = y == 10 ? 3 : 2;
    for (std::int32_t x = 20 - half; x < 20 + half; ++x) disc.push_back({x, y});
  }
  EXPECT_EQ(Slow(grid), disc);
  EXPECT_EQ(grid.At(20, 10), CELL_FILLED | CELL_SLOW);

  // A stamp far off the field, or one of radius 0, marks nothing and does not fail differently.
  grid = OpenField(40, 20);
  Definitions big(StampDefinition(1, 30000) + StampDefinition(2, 0));
  EXPECT_EQ(Place(big, 1, -40000, 25000), gfx::GFX_E_GENERIC);
  EXPECT_EQ(Place(big, 2, 10, 10), gfx::GFX_E_GENERIC);
  EXPECT_TRUE(Slow(grid).empty());
  StampObject bare;
  EXPECT_EQ(bare.Placed(texture, grid), gfx::GFX_E_GENERIC) << "no definition";
}

TEST_F(Stamp, ThePictureGoesIntoTheWoodWithoutItsColourKey) {
  constexpr gfx::Color kInk = 0x00FF00;
  gfx::Sprite picture, alpha;
  // Magenta on the left half, green on the right; the alpha lets only the top row through.
  ASSERT_EQ(
      picture.LoadMemory(
          ui::test::Strip(4, 4, 1, [](int, int x, int) { return x < 2 ? gfx::kMagenta : kInk; }), 0, 0x5401),
      S_OK);
  ASSERT_EQ(alpha.LoadMemory(ui::test::Alpha(4, 4, [](int, int y) { return y == 0 ? 255 : 0; }), 0, 0x5402),
            S_OK);
  Definitions defs(StampDefinition(1, 1, "image=0x5401\n") +
                   StampDefinition(2, 1, "image=0x5401\nimage_a=0x5402\n"));

  Place(defs, 1, 10, 10);  // its rectangle's corner at (8, 8)
  EXPECT_EQ(At(8, 8), gfx::ColorToPixel(gfx::kMagenta)) << "the colour key is copied as a colour";
  EXPECT_EQ(At(11, 11), gfx::ColorToPixel(kInk));
  EXPECT_EQ(At(12, 8), 0) << "beside the picture";

  ASSERT_EQ(texture.CreateSurface(gfx::kCreateClear, 40, 20), S_OK);
  Place(defs, 2, 10, 10);
  EXPECT_EQ(At(11, 8), gfx::ColorToPixel(kInk)) << "through the alpha";
  EXPECT_EQ(At(11, 9), 0) << "held back by the alpha";
  picture.Reset(false);
  alpha.Reset(false);
}

class StampInPlay : public KindsTest {};

TEST_F(StampInPlay, TheLevelKeepsTheMarkAndThePictureButNotTheStamp) {
  Play("en_2_ID=2\nen_2_xy=50 50\n", 2, StampDefinition(2, 2, "image=0x01020004\n"));
  EXPECT_EQ(world.objects.size(), 1u) << "only the head";
  EXPECT_EQ(world.grid.At(50, 50), CELL_OPEN | CELL_SLOW);
  EXPECT_EQ(world.grid.At(48, 50), CELL_OPEN | CELL_SLOW);
  EXPECT_EQ(world.grid.At(49, 51), CELL_OPEN | CELL_SLOW);
  EXPECT_EQ(world.grid.At(48, 51), CELL_OPEN);
  EXPECT_EQ(TexturePixel(48, 48), gfx::ColorToPixel(0x0000FF)) << "the stamp's picture";
  EXPECT_EQ(TexturePixel(52, 52), gfx::ColorToPixel(game::test::kWood));
}

TEST_F(StampInPlay, TheCutCrossingAStampedCellMovesOneStepSlowly) {
  auto steps = [this](bool stamped) {
    Play(stamped ? "en_2_ID=2\nen_2_xy=100 20\n" : "", stamped ? 2 : 1, StampDefinition(2, 1),
         "speed_rand=2 2\n");
    Frames(kStartDelayFrames);
    head->KeyDown(kDirDown);
    std::vector<std::int32_t> moved;
    for (std::int32_t y = head->CellY(); moved.size() < 20; y = head->CellY()) {
      Frames(1);
      moved.push_back(head->CellY() - y);
    }
    return moved;
  };
  const std::vector<std::int32_t> plain = steps(false);
  EXPECT_EQ(std::count(plain.begin(), plain.end(), 1), 0);
  const std::vector<std::int32_t> slowed = steps(true);
  ASSERT_EQ(std::count(slowed.begin(), slowed.end(), 1), 1) << "one half step";
  EXPECT_EQ(std::count(slowed.begin(), slowed.end(), 2), 19);
  const auto at = std::find(slowed.begin(), slowed.end(), 1) - slowed.begin();
  EXPECT_EQ(2 * at, 20) << "the step after the cut reached row 20 (half its width ahead of the head)";
}

}  // namespace
}  // namespace zelph::objects::test
