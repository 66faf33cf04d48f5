#include "game/grid_line.h"

#include <algorithm>
#include <cstdlib>

namespace zelph::game {

namespace {

void Put(CellValue& cell, CellValue value, int mode) {
  switch (mode) {
    case kLineAnd: cell &= value; break;
    case kLineOr: cell |= value; break;
    case kLineXor: cell ^= value; break;
    default: cell = value; break;
  }
}

// Moves an end lying outside [0, w) x [0, h) onto the grid's edge along the line through the other end.
// False when it cannot be brought onto the grid.
bool ClipEnd(std::int64_t& x, std::int64_t& y, std::int64_t ox, std::int64_t oy, std::int64_t w, std::int64_t h) {
  const std::int64_t dx = ox - x, dy = oy - y;
  for (int pass = 0; pass < 2; ++pass) {
    if (x < 0 || x >= w) {
      const std::int64_t edge = x < 0 ? 0 : w - 1;
      if (dx == 0) return false;
      y += static_cast<std::int64_t>(static_cast<__int128>(edge - x) * dy / dx);
      x = edge;
    }
    if (y < 0 || y >= h) {
      const std::int64_t edge = y < 0 ? 0 : h - 1;
      if (dy == 0) return false;
      x += static_cast<std::int64_t>(static_cast<__int128>(edge - y) * dx / dy);
      y = edge;
    }
  }
  return x >= 0 && x < w && y >= 0 && y < h;
}

}  // namespace

void DrawGridLine(CellGrid& grid, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  CellValue value, int mode) {
  const std::int64_t w = grid.Width(), h = grid.Height();
  if (w == 0 || h == 0) return;
  if (x1 == x2) {
    if (x1 < 0 || x1 >= w) return;
    const std::int64_t from = std::max<std::int64_t>(std::min(y1, y2), 0);
    const std::int64_t to = std::min<std::int64_t>(std::max(y1, y2), h);
    for (std::int64_t y = from; y < to; ++y) Put(grid.At(x1, static_cast<std::int32_t>(y)), value, mode);
    return;
  }
  if (y1 == y2) {
    if (y1 < 0 || y1 >= h) return;
    const std::int64_t from = std::max<std::int64_t>(std::min(x1, x2), 0);
    const std::int64_t to = std::min<std::int64_t>(std::max(x1, x2), w);
    CellValue* row = grid.Row(y1);
    for (std::int64_t x = from; x < to; ++x) Put(row[x], value, mode);
    return;
  }
  // Both ends beyond the same edge: the line misses the grid.
  if ((x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 >= w && x2 >= w) || (y1 >= h && y2 >= h)) return;
  std::int64_t ax = x1, ay = y1, bx = x2, by = y2;
  if (!ClipEnd(ax, ay, x2, y2, w, h) || !ClipEnd(bx, by, x1, y1, w, h)) return;

  const std::int64_t dx = std::abs(bx - ax), dy = -std::abs(by - ay);
  const std::int64_t sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
  std::int64_t err = dx + dy;
  while (true) {
    Put(grid.At(static_cast<std::int32_t>(ax), static_cast<std::int32_t>(ay)), value, mode);
    if (ax == bx && ay == by) break;
    const std::int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      ax += sx;
    }
    if (e2 <= dx) {
      err += dx;
      ay += sy;
    }
  }
}

}  // namespace zelph::game
