// The span fills against plain cell-by-cell floods on random fields: which cells change, to what, and
// which texture pixels change, compared over the whole grid and the whole pixel plane.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench_cell_widths.h"
#include "game/field_fill.h"

namespace zelph::game {
namespace {

// The texture as the fills see it, with a margin around the mapped pixels that must never be written.
struct Plane {
  std::vector<gfx::Pixel> pixels;
  PixelPlane view;

  Plane(std::int32_t w, std::int32_t h, std::int32_t xStep, std::mt19937& rng) {
    const std::int32_t yStep = w * xStep + 3;
    pixels.resize(static_cast<std::size_t>(yStep) * h + 5);
    for (gfx::Pixel& p : pixels) p = static_cast<gfx::Pixel>(rng());
    view = {pixels.data() + 2, xStep, yStep};
  }
  Plane(const Plane& other) : pixels(other.pixels), view(other.view) {
    view.bits = pixels.data() + (other.view.bits - other.pixels.data());
  }
  Plane& operator=(const Plane&) = delete;

  gfx::Pixel& At(std::int32_t x, std::int32_t y) { return view.bits[y * view.yStep + x * view.xStep]; }
};

constexpr std::pair<std::int32_t, std::int32_t> kAround[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

// Every cell 4-connected to the start through qualifying cells, one at a time.
// `visited` (when given) gets the cells it took.
std::int64_t PlainFloodFill(CellGrid& grid, Plane* plane, std::int32_t x, std::int32_t y, FillRule rule,
                            std::vector<std::pair<std::int32_t, std::int32_t>>* visited = nullptr) {
  if (!grid.Inside(x, y) || !rule.Qualifies(grid.At(x, y))) return 0;
  std::vector<char> seen(static_cast<std::size_t>(grid.Total()));
  auto visit = [&](std::int32_t cx, std::int32_t cy) -> char& {
    return seen[static_cast<std::size_t>(cy) * grid.Width() + cx];
  };
  std::vector<std::pair<std::int32_t, std::int32_t>> stack{{x, y}};
  visit(x, y) = 1;
  std::int64_t count = 0;
  while (!stack.empty()) {
    const auto [cx, cy] = stack.back();
    stack.pop_back();
    grid.At(cx, cy) = CELL_FILLED;
    if (plane) plane->At(cx, cy) = kKeyPixel;
    if (visited) visited->emplace_back(cx, cy);
    ++count;
    for (const auto& [dx, dy] : kAround) {
      const std::int32_t nx = cx + dx, ny = cy + dy;
      if (!grid.Inside(nx, ny) || visit(nx, ny) || !rule.Qualifies(grid.At(nx, ny))) continue;
      visit(nx, ny) = 1;
      stack.emplace_back(nx, ny);
    }
  }
  return count;
}

// The test flood one cell at a time: a popped cell is painted when a neighbour inside the grid is filled
// or cut, and its neighbours whose state is plainly open are marked and visited.
void PlainMarkRegion(CellGrid& grid, Plane* plane, gfx::Pixel edge, std::int32_t x, std::int32_t y,
                     gfx::Rect* painted = nullptr) {
  if (!grid.Inside(x, y)) return;
  std::vector<std::pair<std::int32_t, std::int32_t>> stack{{x, y}};
  while (!stack.empty()) {
    const auto [cx, cy] = stack.back();
    stack.pop_back();
    bool bordersEdge = false;
    for (const auto& [dx, dy] : kAround) {
      const std::int32_t nx = cx + dx, ny = cy + dy;
      if (grid.Inside(nx, ny) && (grid.At(nx, ny) & (CELL_FILLED | CELL_CUT))) bordersEdge = true;
    }
    if (plane && bordersEdge) {
      plane->At(cx, cy) = edge;
      if (painted) Grow(*painted, {cx, cy, cx + 1, cy + 1});
    }
    for (const auto& [dx, dy] : kAround) {
      const std::int32_t nx = cx + dx, ny = cy + dy;
      if (!grid.Inside(nx, ny) || (grid.At(nx, ny) & 0x0F) != CELL_OPEN) continue;
      grid.At(nx, ny) = CELL_MARK;
      stack.emplace_back(nx, ny);
    }
  }
}

// The values a field holds (open, slow, filled, cut, marked, combinations) and a few it should not.
constexpr CellValue kBlocking[] = {0x02, 0x04, 0x06, 0x05, 0x12, 0x14, 0x08, 0x09, 0x00, 0x03, 0x0F, 0x1F, 0xFF, 0x21};
constexpr CellValue kOpen[] = {0x01, 0x01, 0x01, 0x11, 0x31};

CellValue Pick(std::mt19937& rng, const auto& values) { return values[rng() % std::size(values)]; }

enum class Shape { kNoise, kCorridors, kBlobs };

// Noise: scattered obstacles of a random density. Corridors: blocked ground with one-cell paths carved by
// random walks. Blobs: open ground reaching every edge with a few walls and boxes in it.
CellGrid RandomField(std::mt19937& rng, std::int32_t w, std::int32_t h, Shape shape) {
  CellGrid grid;
  EXPECT_EQ(grid.Create(w, h, CELL_OPEN), S_OK);
  auto put = [&](std::int32_t x, std::int32_t y, CellValue v) {
    if (grid.Inside(x, y)) grid.At(x, y) = v;
  };
  switch (shape) {
    case Shape::kNoise: {
      const unsigned density = 5 + rng() % 60;
      for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) put(x, y, rng() % 100 < density ? Pick(rng, kBlocking) : Pick(rng, kOpen));
      }
      break;
    }
    case Shape::kCorridors: {
      for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) put(x, y, rng() % 2 ? CELL_FILLED : CELL_CUT);
      }
      for (int walk = 0, walks = 1 + static_cast<int>(rng() % 6); walk < walks; ++walk) {
        std::int32_t x = static_cast<std::int32_t>(rng() % w), y = static_cast<std::int32_t>(rng() % h);
        for (int step = 0, steps = static_cast<int>(rng() % (2 * (w + h) + 10)); step < steps; ++step) {
          put(x, y, Pick(rng, kOpen));
          const auto [dx, dy] = kAround[rng() % 4];
          // Two steps at a time, with the cell between, leaves walls between neighbouring paths.
          put(x + dx, y + dy, Pick(rng, kOpen));
          x = std::clamp(x + 2 * dx, 0, w - 1);
          y = std::clamp(y + 2 * dy, 0, h - 1);
        }
      }
      break;
    }
    case Shape::kBlobs: {
      for (int blob = 0, blobs = static_cast<int>(rng() % 8); blob < blobs; ++blob) {
        const CellValue v = Pick(rng, kBlocking);
        const std::int32_t x0 = static_cast<std::int32_t>(rng() % w), y0 = static_cast<std::int32_t>(rng() % h);
        const std::int32_t bw = 1 + static_cast<std::int32_t>(rng() % w), bh = 1 + static_cast<std::int32_t>(rng() % h);
        const bool frame = rng() % 2;  // a hollow box leaves a closed pocket inside
        for (std::int32_t y = y0; y < y0 + bh; ++y) {
          for (std::int32_t x = x0; x < x0 + bw; ++x) {
            if (!frame || y == y0 || y == y0 + bh - 1 || x == x0 || x == x0 + bw - 1) put(x, y, v);
          }
        }
      }
      break;
    }
  }
  return grid;
}

// Widths around the lengths of the vector loops, and a few rows and columns on their own.
constexpr std::int32_t kWidths[] = {1, 2, 3, 7, 15, 16, 17, 31, 32, 33, 63, 64, 65, 127, 128, 129, 130, 200, 257};

std::string Describe(const CellGrid& grid) {
  std::string text;
  for (std::int32_t y = 0; y < grid.Height() && y < 40; ++y) {
    for (std::int32_t x = 0; x < grid.Width() && x < 80; ++x) {
      static const char kHex[] = "0123456789abcdef";
      text += kHex[grid.At(x, y) & 0x0F];
    }
    text += '\n';
  }
  return text;
}

void ExpectSameField(const CellGrid& got, const CellGrid& want, const Plane* gotPixels, const Plane* wantPixels,
                     const std::string& what) {
  ASSERT_EQ(got.Total(), want.Total());
  const auto diff = std::mismatch(got.Data(), got.Data() + got.Total(), want.Data());
  if (diff.first != got.Data() + got.Total()) {
    const auto i = diff.first - got.Data();
    ADD_FAILURE() << what << ": cell (" << i % got.Width() << ", " << i / got.Width() << ") is "
                  << int{*diff.first} << ", a plain flood gives " << int{*diff.second} << "\nafter:\n"
                  << Describe(got) << "expected:\n"
                  << Describe(want);
    return;
  }
  if (gotPixels) {
    const auto pixels = std::mismatch(gotPixels->pixels.begin(), gotPixels->pixels.end(), wantPixels->pixels.begin());
    EXPECT_TRUE(pixels.first == gotPixels->pixels.end())
        << what << ": pixel word " << pixels.first - gotPixels->pixels.begin() << " differs";
  }
}

std::string Show(const gfx::Rect& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

constexpr FillRule kRules[] = {
    {CELL_OPEN, false},                // the level's first fill
    {CELL_CUT, false},                 // the cut itself
    {CELL_FILLED | CELL_CUT, false},   // everything taken
    {CELL_FILLED | CELL_CUT, true},    // a capture's side
    {CELL_FILLED, false},              // filled cells qualify: they must not be visited twice
    {CELL_OPEN, true},                 // so do they here
    {CELL_CUT, true},
    {0x0F, false},
    {0, true},                         // everything
    {0, false},                        // nothing
};

TEST(FieldFill, SpanFillMatchesAPlainFloodOnRandomFields) {
  testing::ForEachCellWidth([] {
    std::mt19937 rng(1301);
    for (int round = 0; round < 900; ++round) {
      const std::int32_t w = kWidths[rng() % std::size(kWidths)];
      const std::int32_t h = round % 9 == 0 ? 1 : 1 + static_cast<std::int32_t>(rng() % 48);
      const Shape shape = static_cast<Shape>(round % 3);
      const FillRule rule = round % 7 == 6 ? FillRule{static_cast<CellValue>(rng()), rng() % 2 == 0}
                                           : kRules[rng() % std::size(kRules)];
      CellGrid ours = RandomField(rng, w, h, shape);
      CellGrid plain;
      ASSERT_EQ(plain.CopyFrom(ours), S_OK);
      const std::int32_t xStep = round % 5 == 4 ? 2 : 1;
      Plane pixels(w, h, xStep, rng);
      Plane plainPixels(pixels);
      // Starts inside, and now and then just outside.
      std::int32_t x = static_cast<std::int32_t>(rng() % w), y = static_cast<std::int32_t>(rng() % h);
      if (round % 23 == 0) x = rng() % 2 ? -1 : w;
      if (round % 29 == 0) y = rng() % 2 ? -1 : h;
      const bool withPixels = round % 11 != 0;
      // A picture that follows the fill: each filled cell's pixel comes from `through`, with rows of their
      // own lengths so that a mix-up of the two steps shows.
      std::vector<gfx::Pixel> through(static_cast<std::size_t>(w + 5) * h), shown(static_cast<std::size_t>(w + 9) * h);
      for (gfx::Pixel& p : through) p = static_cast<gfx::Pixel>(rng());
      for (gfx::Pixel& p : shown) p = static_cast<gfx::Pixel>(rng());
      std::vector<gfx::Pixel> plainShown = shown;
      const ShowThrough show{shown.data(), w + 9, through.data(), w + 5};
      gfx::Rect touched = round % 13 == 0 ? gfx::Rect{0, 0, 1, 1} : gfx::Rect{};
      const gfx::Rect touchedBefore = touched;
      const std::int64_t filled =
          FloodFill(ours, withPixels ? pixels.view : PixelPlane{}, x, y, rule, {round % 3 ? &show : nullptr, &touched});
      std::vector<std::pair<std::int32_t, std::int32_t>> taken;
      const std::int64_t plainFilled =
          PlainFloodFill(plain, withPixels ? &plainPixels : nullptr, x, y, rule, &taken);
      gfx::Rect wantTouched = touchedBefore;
      for (const auto& [cx, cy] : taken) {
        Grow(wantTouched, {cx, cy, cx + 1, cy + 1});
        if (round % 3) plainShown[cy * (w + 9) + cx] = through[cy * (w + 5) + cx];
      }
      const std::string what = "round " + std::to_string(round) + ", " + std::to_string(w) + " x " +
                               std::to_string(h) + " from (" + std::to_string(x) + ", " + std::to_string(y) +
                               "), mask " + std::to_string(rule.mask) + (rule.unblocked ? " unblocked" : "");
      EXPECT_EQ(filled, plainFilled) << what;
      ExpectSameField(ours, plain, &pixels, &plainPixels, what);
      EXPECT_EQ(touched, wantTouched) << what << ": touched " << Show(touched) << ", cells changed in "
                                      << Show(wantTouched);
      EXPECT_TRUE(shown == plainShown) << what << ": the picture that follows the fill";
      if (::testing::Test::HasFailure()) return;
    }
  });
}

TEST(FieldFill, MarkRegionMatchesAPlainFloodWithItsEdgePainting) {
  testing::ForEachCellWidth([] {
    std::mt19937 rng(1302);
    for (int round = 0; round < 900; ++round) {
      const std::int32_t w = kWidths[rng() % std::size(kWidths)];
      const std::int32_t h = round % 9 == 0 ? 1 : 1 + static_cast<std::int32_t>(rng() % 48);
      CellGrid ours = RandomField(rng, w, h, static_cast<Shape>(round % 3));
      CellGrid plain;
      ASSERT_EQ(plain.CopyFrom(ours), S_OK);
      Plane pixels(w, h, round % 5 == 4 ? 2 : 1, rng);
      Plane plainPixels(pixels);
      // The start is any cell: an object may stand on ground that is not open.
      std::int32_t x = static_cast<std::int32_t>(rng() % w), y = static_cast<std::int32_t>(rng() % h);
      if (round % 31 == 0) x = -1;
      const gfx::Pixel edge = static_cast<gfx::Pixel>(rng());
      const bool painting = round % 7 != 0;
      gfx::Rect painted, plainPainted;
      MarkRegion(ours, painting ? &pixels.view : nullptr, edge, x, y, &painted);
      PlainMarkRegion(plain, painting ? &plainPixels : nullptr, edge, x, y, &plainPainted);
      EXPECT_EQ(painted, plainPainted) << "painted " << Show(painted) << ", a plain flood paints " << Show(plainPainted);
      const std::string what = "round " + std::to_string(round) + ", " + std::to_string(w) + " x " +
                               std::to_string(h) + " from (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      ExpectSameField(ours, plain, &pixels, &plainPixels, what);
      if (::testing::Test::HasFailure()) return;
    }
  });
}

// A plane without pixels changes only the cells.
TEST(FieldFill, MarkRegionWithoutPixelsMarksTheSameCells) {
  std::mt19937 rng(1303);
  for (int round = 0; round < 50; ++round) {
    CellGrid ours = RandomField(rng, 65, 20, Shape::kNoise);
    CellGrid plain;
    ASSERT_EQ(plain.CopyFrom(ours), S_OK);
    const PixelPlane none;
    MarkRegion(ours, &none, 0x1234, 30, 10);
    PlainMarkRegion(plain, nullptr, 0x1234, 30, 10);
    ExpectSameField(ours, plain, nullptr, nullptr, "round " + std::to_string(round));
  }
}

// The shapes of the game's own captures at full size: a whole open field, and one split by a cut
// with its two sides, the cut itself and the guarded side's outline.
TEST(FieldFill, FullSizeFieldsMatchAPlainFlood) {
  testing::ForEachCellWidth([] {
    std::mt19937 rng(1304);
    for (const bool split : {false, true}) {
      CellGrid ours;
      ASSERT_EQ(ours.Create(640, 400, CELL_OPEN), S_OK);
      if (split) {
        for (std::int32_t y = 0; y < 400; ++y) ours.At(320 + (y / 50) % 2, y) = CELL_CUT;
      }
      CellGrid plain;
      ASSERT_EQ(plain.CopyFrom(ours), S_OK);
      Plane pixels(640, 400, 1, rng);
      Plane plainPixels(pixels);
      MarkRegion(ours, &pixels.view, 0x07E0, 100, 200);
      PlainMarkRegion(plain, &plainPixels, 0x07E0, 100, 200);
      const FillRule side{CELL_FILLED | CELL_CUT, true};
      EXPECT_EQ(FloodFill(ours, pixels.view, 600, 10, side), PlainFloodFill(plain, &plainPixels, 600, 10, side));
      EXPECT_EQ(FloodFill(ours, pixels.view, 320, 0, {CELL_CUT, false}),
                PlainFloodFill(plain, &plainPixels, 320, 0, {CELL_CUT, false}));
      ExpectSameField(ours, plain, &pixels, &plainPixels, split ? "split field" : "open field");
    }
  });
}

}  // namespace
}  // namespace zelph::game
