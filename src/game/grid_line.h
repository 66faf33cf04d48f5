// Straight lines written into a cell grid: the borders of a level.
#pragma once

#include <cstdint>

#include "game/cell_grid.h"

namespace zelph::game {

inline constexpr int kLineAnd = 1;
inline constexpr int kLineOr = 2;
inline constexpr int kLineXor = 4;  // any other mode stores the value

// A vertical or horizontal line is the run from the smaller end up to, not including, the larger one;
// any other line is clipped to the grid and drawn with both ends included.
void DrawGridLine(CellGrid& grid, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  CellValue value, int mode);

}  // namespace zelph::game
