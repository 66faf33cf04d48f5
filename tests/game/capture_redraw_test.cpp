// A capture against the plain sequence it stands for: the test copy taken from the grid, each side filled
// unless an object guards it, the cut filled, the whole picture composed again. The capture copies the grid
// only when an object may guard and recomposes only what changed, so random fields, cuts, guards, the head's
// cut line and deaths must leave the cells, the texture and the composed picture exactly as the plain
// sequence leaves them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_cell_widths.h"
#include "game/game_world.h"
#include "game/grid_line.h"
#include "game/texture_plane.h"
#include "gfx/ebm_format.h"
#include "gfx/graphics_context.h"

namespace zelph::game {
namespace {

// Stands still where it is put; guards or not as its testFill says.
class Post : public FieldObject {};

std::vector<std::uint8_t> Picture(std::int32_t w, std::int32_t h, std::mt19937& rng) {
  gfx::EbmHeader header;
  header.width = static_cast<std::uint32_t>(w);
  header.height = static_cast<std::uint32_t>(h);
  header.colorKey = gfx::kMagenta;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(header.NeededBytes()));
  for (std::uint8_t& b : pixels) b = static_cast<std::uint8_t>(rng());
  return gfx::WriteEbm(header, pixels);
}

struct Layout {
  std::int32_t composedW, composedH, backW, backH;
  gfx::Rect field;
};

// A world as a level leaves it, every pixel of its pictures different.
void SetUpWorld(GameWorld& world, const Layout& l, unsigned seed) {
  std::mt19937 rng(seed);
  world.gameField = l.field;
  world.borderColour = 0x3399CC;
  const std::int32_t w = static_cast<std::int32_t>(l.field.Width()), h = static_cast<std::int32_t>(l.field.Height());
  ASSERT_EQ(world.grid.Create(w, h, CELL_OPEN), S_OK);
  ASSERT_EQ(world.composed.CreateSurface(0, l.composedW, l.composedH), S_OK);
  ASSERT_EQ(world.texture.CreateSurface(0, w, h), S_OK);
  world.texture.SetColorKey(gfx::kMagenta);
  ASSERT_EQ(world.backImage.LoadMemory(Picture(l.backW, l.backH, rng), 0, std::nullopt), S_OK);
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t x = 0; x < w; ++x) world.texture.Row(y)[x] = static_cast<gfx::Pixel>(rng() % 0xF000);
  }
  for (std::int32_t y = 0; y < l.composedH; ++y) {
    for (std::int32_t x = 0; x < l.composedW; ++x) world.composed.Row(y)[x] = static_cast<gfx::Pixel>(rng());
  }
  // Borders along the edges and a few walls, filled as a level's lines are.
  DrawGridLine(world.grid, 0, 0, w, 0, CELL_FILLED, 0);
  DrawGridLine(world.grid, 0, h - 1, w, h - 1, CELL_FILLED, 0);
  for (int wall = 0; wall < 3; ++wall) {
    const std::int32_t x = 5 + static_cast<std::int32_t>(rng() % (w - 10)), y = static_cast<std::int32_t>(rng() % h);
    DrawGridLine(world.grid, x, y, x + static_cast<std::int32_t>(rng() % 30), y, CELL_FILLED, 0);
  }
  world.RedrawField();
}

void AddPost(GameWorld& world, std::int32_t x, std::int32_t y, std::int32_t testFill, bool dead) {
  auto post = std::make_unique<Post>();
  post->AttachWorld(&world);
  post->SetCell(x, y);
  post->testFill = testFill;
  post->dead = dead;
  world.objects.push_back(std::move(post));
}

// The plain sequence of a capture, from the world's public pieces.
void PlainCapture(GameWorld& world, config::Point seedA, config::Point seedB, config::Point cutStart) {
  world.testGrid.CopyFrom(world.grid);
  auto fill = [&](config::Point p, FillRule rule, bool testObjects) {
    if (testObjects && world.IsFillBlocked(p.x, p.y) == 1) return;
    TexturePlane pixels(&world.texture);
    FloodFill(world.grid, pixels.Plane(), p.x, p.y, rule);
  };
  if (world.grid.Inside(seedA.x, seedA.y)) fill(seedA, {CELL_FILLED | CELL_CUT, true}, true);
  if (world.grid.Inside(seedB.x, seedB.y)) fill(seedB, {CELL_FILLED | CELL_CUT, true}, true);
  fill(cutStart, {CELL_CUT, false}, false);
  world.RedrawField();
}

void ExpectSamePicture(const gfx::Surface& got, const gfx::Surface& want, const std::string& what) {
  ASSERT_EQ(got.Width(), want.Width());
  for (std::int32_t y = 0; y < got.Height(); ++y) {
    const gfx::Pixel* g = got.Row(y);
    const gfx::Pixel* w = want.Row(y);
    const auto diff = std::mismatch(g, g + got.Width(), w);
    ASSERT_TRUE(diff.first == g + got.Width())
        << what << ": pixel (" << diff.first - g << ", " << y << ") is " << *diff.first << ", wants " << *diff.second;
  }
}

// The one-pass layout the game uses, a field at the back picture's edges, and one whose texture reaches past
// the back picture, where the picture is composed by two blits.
constexpr Layout kLayouts[] = {
    {180, 120, 170, 110, {7, 11, 157, 101}},
    {150, 100, 150, 100, {0, 0, 150, 100}},
    {180, 120, 120, 80, {30, 20, 150, 110}},
};

TEST(CaptureRedraw, CapturesLeaveWhatThePlainSequenceLeaves) {
  gfx::GraphicsContext& context = gfx::GraphicsContext::Global();
  const bool wasOpen = context.IsOpen();
  if (!wasOpen) context.MarkOpen(gfx::DisplayProperties::Rgb565(640, 480));
  testing::ForEachCellWidth([] {
    unsigned seed = 40;
    for (const Layout& layout : kLayouts) {
      for (int game = 0; game < 6; ++game, ++seed) {
        GameWorld ours, plain;
        SetUpWorld(ours, layout, seed);
        SetUpWorld(plain, layout, seed);
        std::mt19937 rng(seed * 7);
        const std::int32_t w = ours.grid.Width(), h = ours.grid.Height();
        for (int cut = 0; cut < 12; ++cut) {
          const std::string what = "layout " + std::to_string(&layout - kLayouts) + ", game " + std::to_string(game) +
                                   ", cut " + std::to_string(cut);
          // Now and then objects on open ground: guards, ones that never guard, dead ones; sometimes none.
          if (rng() % 2 == 0) {
            std::int32_t x = 0, y = 0;
            for (int tries = 0; tries < 20 && !IsPlainlyOpen(ours.grid.At(x, y)); ++tries) {
              x = static_cast<std::int32_t>(rng() % w);
              y = static_cast<std::int32_t>(rng() % h);
            }
            const std::int32_t testFill = rng() % 2 ? 1 : static_cast<std::int32_t>(rng() % 3);
            const bool dead = rng() % 5 == 0;
            AddPost(ours, x, y, testFill, dead);
            AddPost(plain, x, y, testFill, dead);
          }
          if (rng() % 4 == 0 && !ours.objects.empty()) {
            ours.objects.erase(ours.objects.begin());
            plain.objects.erase(plain.objects.begin());
          }
          // A cut across the field, and the head's line over it, which may reach past the grid.
          const std::int32_t x = 1 + static_cast<std::int32_t>(rng() % (w - 2));
          const std::int32_t top = static_cast<std::int32_t>(rng() % (h / 2)), bottom = h / 2 + static_cast<std::int32_t>(rng() % (h / 2));
          for (GameWorld* world : {&ours, &plain}) {
            DrawGridLine(world->grid, x, top, x, bottom, CELL_CUT, kLineOr);
            const gfx::Rect line{x - 2, top - 3, x + 3, bottom + 3};
            for (std::int32_t py = line.top + world->gameField.top; py < line.bottom + world->gameField.top; ++py) {
              for (std::int32_t px = line.left + world->gameField.left; px < line.right + world->gameField.left; ++px) {
                if (px >= 0 && py >= 0 && px < world->composed.Width() && py < world->composed.Height()) {
                  world->composed.Row(py)[px] = 0x1234;
                }
              }
            }
            world->FieldDrawnOver(line);
          }
          // A death between the captures: the kind draws its mark where it likes.
          if (rng() % 6 == 0 && !ours.objects.empty()) {
            ours.HandleDeath(*ours.objects.back());
            plain.HandleDeath(*plain.objects.back());
          }
          const config::Point a = rng() % 5 ? config::Point{x - 1, h / 2} : kNoCell;
          const config::Point b = rng() % 5 ? config::Point{x + 1, h / 2} : kNoCell;
          ours.Capture(a, b, {x, top});
          PlainCapture(plain, a, b, {x, top});
          plain.RemoveStrandedObjects();
          ASSERT_TRUE(std::equal(ours.grid.Data(), ours.grid.Data() + ours.grid.Total(), plain.grid.Data())) << what;
          ExpectSamePicture(ours.texture, plain.texture, what + ", texture");
          ExpectSamePicture(ours.composed, plain.composed, what + ", composed picture");
          ASSERT_EQ(ours.objects.size(), plain.objects.size()) << what;
        }
      }
    }
  });
  if (!wasOpen) context.MarkClosed();
}

}  // namespace
}  // namespace zelph::game
