// The flood fills of the field: capture (cells become filled, their texture pixels the colour key) and the
// test flood that marks the open region around a point and outlines its edge. Both are scanline span
// fills over a growing stack: which cells change and which pixels change do not depend on the order in
// which a region is visited, so the spans give the same result as a cell-by-cell flood, much faster.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/cell_grid.h"
#include "gfx/pixel.h"
#include "gfx/rect.h"

namespace zelph::game {

// The texture's pixels as the fills see them: the pixel of cell (x, y) is bits[y * yStep + x * xStep].
// A plane with null bits leaves the pixels alone.
struct PixelPlane {
  gfx::Pixel* bits = nullptr;
  std::ptrdiff_t xStep = 1;
  std::ptrdiff_t yStep = 0;
};

inline constexpr gfx::Pixel kKeyPixel = 0xF81F;

// Which cells a fill takes: those whose value has a bit in common with `mask`, or, `unblocked`, none.
struct FillRule {
  CellValue mask = 0;
  bool unblocked = false;
  constexpr bool Qualifies(CellValue v) const { return ((v & mask) != 0) != unblocked; }
};

// `box` grown to hold `more` as well (an empty box takes `more` as it is).
void Grow(gfx::Rect& box, const gfx::Rect& more);

// A picture that shows through where the fill cuts the texture away: the pixel of each filled cell (x, y)
// is copied from through[y * throughStep + x] to shown[y * shownStep + x], so that a picture composed of the
// two follows the fill without being composed again. Rows of both run left to right, a pixel apart.
struct ShowThrough {
  gfx::Pixel* shown = nullptr;
  std::ptrdiff_t shownStep = 0;
  const gfx::Pixel* through = nullptr;
  std::ptrdiff_t throughStep = 0;
};

// What a fill does besides its cells and texture pixels: with `showThrough`, that picture follows it; with
// `touched`, the box is grown to hold every cell it filled.
struct FillExtras {
  const ShowThrough* showThrough = nullptr;
  gfx::Rect* touched = nullptr;
};

// Fills the 4-connected region of qualifying cells that holds (x, y): each becomes CELL_FILLED and its
// pixel the colour key. Nothing when the start is outside the grid or does not qualify. Returns the number
// of cells filled.
std::int64_t FloodFill(CellGrid& grid, const PixelPlane& pixels, std::int32_t x, std::int32_t y, FillRule rule,
                       const FillExtras& extras = {});

// The test flood from (fromX, fromY): every plainly open cell reachable through plainly open cells from the
// start's neighbours becomes CELL_MARK. With `paint`, every visited cell (the start and the marked ones)
// that borders a filled or cut cell has its pixel set to `edge`, and `painted` (when given) is grown to
// hold each such cell; with `show` as well, the picture composed over those pixels follows them. The start
// itself need not be open.
void MarkRegion(CellGrid& grid, const PixelPlane* paint, gfx::Pixel edge, std::int32_t fromX, std::int32_t fromY,
                gfx::Rect* painted = nullptr, const ShowThrough* show = nullptr);

}  // namespace zelph::game
