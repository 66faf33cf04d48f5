// The fast paths the field benchmark drove, against plain loops: the cell scans at every start, end and
// vector width, the share count, and the field picture composed in one pass against the two blits it
// stands for.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "bench_cell_widths.h"
#include "game/cell_kernels.h"
#include "game/game_world.h"
#include "gfx/blit.h"
#include "gfx/ebm_format.h"
#include "gfx/graphics_context.h"

namespace zelph::game {
namespace {

using kernels::CellTest;

constexpr CellValue kValues[] = {0x01, 0x11, 0x02, 0x04, 0x06, 0x08, 0x09, 0x00, 0x12, 0xFF};

std::vector<CellValue> RandomCells(std::mt19937& rng, std::size_t n, unsigned runLength) {
  std::vector<CellValue> cells(n);
  // Runs of one value, as fields have them, so that scans cross whole vectors before they stop.
  CellValue v = kValues[0];
  for (CellValue& c : cells) {
    if (rng() % runLength == 0) v = kValues[rng() % std::size(kValues)];
    c = v;
  }
  return cells;
}

TEST(CellScans, MatchPlainLoopsAtEveryStartAndEnd) {
  testing::ForEachCellWidth([] {
    std::mt19937 rng(77);
    for (int round = 0; round < 60; ++round) {
      const std::vector<CellValue> a = RandomCells(rng, 1 + rng() % 150, 1 + rng() % 70);
      const auto n = static_cast<std::int32_t>(a.size());
      const CellTest test{static_cast<CellValue>(rng() % 2 ? 0x0F : rng()), static_cast<CellValue>(rng() % 3),
                          rng() % 2 == 0};
      for (std::int32_t from = 0; from <= n; ++from) {
        for (std::int32_t to = from; to <= n; ++to) {
          std::int32_t forward = from;
          while (forward < to && !test(a[forward])) ++forward;
          ASSERT_EQ(kernels::FindForward(a.data(), from, to, test), forward) << from << ".." << to;
          std::int32_t back = to;
          while (back > from && !test(a[back - 1])) --back;
          ASSERT_EQ(kernels::FindBack(a.data(), to, from, test), back) << to << " down to " << from;
        }
      }
    }
  });
}

TEST(CellScans, CountMatchesAPlainCountOverLongGrids) {
  testing::ForEachCellWidth([] {
    std::mt19937 rng(78);
    // Past 255 vectors the byte counters are emptied: lengths on both sides of that, and odd tails.
    for (const std::size_t n : {0, 1, 15, 16, 17, 33, 255 * 32 - 1, 255 * 32, 255 * 32 + 1, 255 * 64 + 7, 200000}) {
      const std::vector<CellValue> cells = RandomCells(rng, n, 1 + rng() % 9);
      for (const CellValue bits : {CellValue{CELL_FILLED}, CellValue{CELL_OPEN}, CellValue{0x06}, CellValue{0x80}}) {
        const auto plain = std::count_if(cells.begin(), cells.end(), [&](CellValue v) { return (v & bits) == bits; });
        EXPECT_EQ(kernels::CountWithBits(cells.data(), n, bits), plain) << n << " cells, bits " << int{bits};
      }
    }
    // Every cell filled: the counters fill up completely.
    const std::vector<CellValue> full(255 * 32 * 3 + 5, 0xFF);
    EXPECT_EQ(kernels::CountWithBits(full.data(), full.size(), CELL_FILLED), static_cast<std::int64_t>(full.size()));
  });
}

TEST(CellScans, KeyedOverMatchesAPlainSelect) {
  testing::ForEachCellWidth([] {
    std::mt19937 rng(79);
    for (std::int32_t n = 0; n < 120; ++n) {
      std::vector<gfx::Pixel> back(n), top(n), dest(n + 2, 0x5555), want(n + 2, 0x5555);
      for (std::int32_t i = 0; i < n; ++i) {
        back[i] = static_cast<gfx::Pixel>(rng());
        top[i] = rng() % 3 == 0 ? gfx::Pixel{0xF81F} : static_cast<gfx::Pixel>(rng());
        want[i + 1] = top[i] == 0xF81F ? back[i] : top[i];
      }
      kernels::KeyedOver(dest.data() + 1, back.data(), top.data(), n, 0xF81F);
      EXPECT_EQ(dest, want) << n << " pixels";
    }
  });
}

// Every length around the vector sizes, with and without the pixel rows: the run's cells, pixels and shown
// pixels change and nothing next to them does, and the row read along gives its first cell that is not open.
TEST(CellScans, TakeRunWritesTheRunAndNothingBeside) {
  testing::ForEachCellWidth([] {
    std::mt19937 rng(83);
    for (std::int32_t n = 0; n < 100; ++n) {
      for (const bool withPixels : {true, false}) {
        for (const bool withShown : {true, false}) {
          std::vector<CellValue> cells(n + 2, 0x11), wantCells(n + 2, 0x11);
          std::vector<gfx::Pixel> pixels(n + 2, 0x1234), wantPixels(n + 2, 0x1234);
          std::vector<gfx::Pixel> shown(n + 2, 0x4321), wantShown(n + 2, 0x4321), through(n);
          for (std::int32_t i = 0; i < n; ++i) {
            through[i] = static_cast<gfx::Pixel>(rng());
            wantCells[i + 1] = CELL_FILLED;
            if (withPixels) wantPixels[i + 1] = 0xF81F;
            if (withShown) wantShown[i + 1] = through[i];
          }
          // The row ahead is open up to a random cell (or all the way), with any values after it.
          std::vector<CellValue> ahead(n);
          const std::int32_t firstShut = static_cast<std::int32_t>(rng() % (n + 1));
          for (std::int32_t i = 0; i < n; ++i) {
            ahead[i] = i < firstShut ? CellValue{0x11} : i == firstShut ? CellValue{0x05} : static_cast<CellValue>(rng());
          }
          const bool reading = rng() % 4 != 0;
          const std::int32_t answer = kernels::TakeRun(
              cells.data() + 1, CELL_FILLED, withPixels ? pixels.data() + 1 : nullptr, 0xF81F,
              withShown ? shown.data() + 1 : nullptr, through.data(), n, reading ? ahead.data() : nullptr,
              CellTest{0x0F, CELL_OPEN, false});
          EXPECT_EQ(answer, reading ? firstShut : 0) << n << " cells";
          EXPECT_EQ(cells, wantCells) << n << " cells";
          EXPECT_EQ(pixels, wantPixels) << n << " cells";
          EXPECT_EQ(shown, wantShown) << n << " cells";
        }
      }
    }
  });
}

// A picture as a pack holds it, every pixel different.
std::vector<std::uint8_t> Picture(std::int32_t w, std::int32_t h, unsigned seed) {
  gfx::EbmHeader header;
  header.width = static_cast<std::uint32_t>(w);
  header.height = static_cast<std::uint32_t>(h);
  header.colorKey = gfx::kMagenta;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(header.NeededBytes()));
  std::mt19937 rng(seed);
  for (std::uint8_t& b : pixels) b = static_cast<std::uint8_t>(rng());
  return gfx::WriteEbm(header, pixels);
}

struct Layout {
  std::int32_t composedW, composedH, backW, backH, textureW, textureH;
  gfx::Rect field;
  std::uint32_t composedFlags;
};

// The field picture in one pass (the texture inside the back picture) and the cases that keep the two
// blits: a texture past the composed picture's edge or the back picture's, a back picture larger than
// the composed one, odd sizes.
TEST(FieldRedraw, ComposedPictureMatchesTheTwoBlits) {
  gfx::GraphicsContext& context = gfx::GraphicsContext::Global();
  const bool wasOpen = context.IsOpen();
  if (!wasOpen) context.MarkOpen(gfx::DisplayProperties::Rgb565(640, 480));
  const Layout layouts[] = {
      {640, 480, 640, 480, 640, 400, {0, 40, 640, 440}, 0},
      {101, 77, 101, 77, 63, 41, {13, 9, 76, 50}, 0},
      {101, 77, 101, 77, 63, 41, {38, 36, 101, 77}, 0},             // at the right and bottom edges
      {101, 77, 90, 70, 63, 41, {20, 20, 83, 61}, 0},               // past the back picture
      {101, 77, 60, 50, 33, 21, {0, 0, 33, 21}, 0},                 // back smaller than composed
      {101, 77, 120, 90, 33, 21, {5, 5, 38, 26}, gfx::kCreateNoBoundsCheck},  // back larger
      {101, 77, 101, 77, 63, 41, {60, 50, 123, 91}, gfx::kCreateNoBoundsCheck},  // texture cut off
      {101, 77, 101, 77, 63, 41, {-5, 3, 58, 44}, gfx::kCreateNoBoundsCheck},
  };
  testing::ForEachCellWidth([&] {
    unsigned seed = 1;
    for (const Layout& l : layouts) {
      SCOPED_TRACE("layout " + std::to_string(seed));
      GameWorld world;
      world.gameField = l.field;
      ASSERT_EQ(world.composed.CreateSurface(l.composedFlags, l.composedW, l.composedH), S_OK);
      ASSERT_EQ(world.backImage.LoadMemory(Picture(l.backW, l.backH, seed++), 0, std::nullopt), S_OK);
      const std::vector<std::uint8_t> texturePicture = Picture(l.textureW, l.textureH, seed++);
      gfx::Sprite textureSource;
      ASSERT_EQ(textureSource.LoadMemory(texturePicture, 0, std::nullopt), S_OK);
      ASSERT_EQ(world.texture.CopyFrom(*textureSource.FrameSurface(0)), S_OK);
      world.texture.SetColorKey(gfx::kMagenta);
      std::mt19937 rng(seed);
      // Keyed pixels in runs and alone, and old composed pixels that must show where nothing is drawn.
      for (std::int32_t y = 0; y < l.textureH; ++y) {
        for (std::int32_t x = 0; x < l.textureW; ++x) {
          if ((x / 7 + y / 5) % 3 == 0 || rng() % 5 == 0) world.texture.Row(y)[x] = 0xF81F;
        }
      }
      for (std::int32_t y = 0; y < l.composedH; ++y) {
        for (std::int32_t x = 0; x < l.composedW; ++x) world.composed.Row(y)[x] = static_cast<gfx::Pixel>(rng());
      }
      gfx::Surface want;
      ASSERT_EQ(want.CopyFrom(world.composed), S_OK);
      gfx::Blt(want, 0, 0, world.backImage.FrameSurface(0), nullptr, gfx::kBltPlain);
      const Result wantResult = gfx::Blt(want, l.field.left, l.field.top, &world.texture, nullptr, gfx::kBltColorKey);

      EXPECT_EQ(world.RedrawField(), wantResult);
      for (std::int32_t y = 0; y < l.composedH; ++y) {
        ASSERT_TRUE(std::equal(want.Row(y), want.Row(y) + l.composedW, world.composed.Row(y))) << "row " << y;
      }
    }
  });
  if (!wasOpen) context.MarkClosed();
}

}  // namespace
}  // namespace zelph::game
