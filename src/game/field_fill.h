// The flood fills of the field: capture (cells become filled, their texture pixels the colour key) and the
// test flood that marks the open region around a point and outlines its edge. Both are scanline span
// fills over a growing stack: which cells change and which pixels change do not depend on the order in
// which a region is visited, so the spans give the same result as a cell-by-cell flood, much faster.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/cell_grid.h"
#include "gfx/pixel.h"

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

// Fills the 4-connected region of qualifying cells that holds (x, y): each becomes CELL_FILLED and its
// pixel the colour key. Nothing when the start is outside the grid or does not qualify. Returns the number
// of cells filled.
std::int64_t FloodFill(CellGrid& grid, const PixelPlane& pixels, std::int32_t x, std::int32_t y, FillRule rule);

// The test flood from (fromX, fromY): every plainly open cell reachable through plainly open cells from the
// start's neighbours becomes CELL_MARK. With `paint`, every visited cell (the start and the marked ones)
// that borders a filled or cut cell has its pixel set to `edge`. The start itself need not be open.
void MarkRegion(CellGrid& grid, const PixelPlane* paint, gfx::Pixel edge, std::int32_t fromX, std::int32_t fromY);

}  // namespace zelph::game
