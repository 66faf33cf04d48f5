#include "game/field_fill.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

namespace zelph::game {

namespace {

constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
constexpr std::uint64_t kHigh = 0x8080808080808080ull;
constexpr std::uint64_t Lanes(CellValue v) { return 0x0101010101010101ull * v; }

// A cell qualifies when ((v & andMask) ^ xorMask) is non-zero, or zero when `whenZero`. Eight cells are
// tested at once: the high bit of each byte of `NonZero` says whether that byte of the word is non-zero.
struct Test {
  CellValue andMask;
  CellValue xorMask;
  bool whenZero;

  bool operator()(CellValue v) const { return (((v & andMask) ^ xorMask) != 0) != whenZero; }

  // High bit of each byte set where the cell qualifies.
  std::uint64_t Word(const CellValue* p) const {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    const std::uint64_t t = (w & Lanes(andMask)) ^ Lanes(xorMask);
    const std::uint64_t nonZero = (((t & kLow7) + kLow7) | t) & kHigh;
    return whenZero ? (~nonZero & kHigh) : nonZero;
  }

  // First x in [x, limit) whose cell qualifies (`want`) or does not (!`want`); `limit` when none.
  std::int32_t Scan(const CellValue* row, std::int32_t x, std::int32_t limit, bool want) const {
    while (x + 8 <= limit) {
      std::uint64_t hits = Word(row + x);
      if (!want) hits = ~hits & kHigh;
      if (hits) return x + std::countr_zero(hits) / 8;
      x += 8;
    }
    while (x < limit && (*this)(row[x]) != want) ++x;
    return x;
  }
};

void SetPixels(const PixelPlane& plane, std::int32_t y, std::int32_t left, std::int32_t right, gfx::Pixel value) {
  if (!plane.bits) return;
  gfx::Pixel* p = plane.bits + y * plane.yStep + left * plane.xStep;
  if (plane.xStep == 1) {
    std::fill_n(p, right - left, value);
    return;
  }
  for (std::int32_t x = left; x < right; ++x, p += plane.xStep) *p = value;
}

// The span flood shared by both fills: every qualifying cell 4-connected to a seed gets `value`, and
// `onSpan` is told of each span [left, right) of row y once it has been written.
template <typename OnSpan>
void SpanFlood(CellGrid& grid, std::vector<std::pair<std::int32_t, std::int32_t>>& seeds, const Test& test,
               CellValue value, OnSpan onSpan) {
  const std::int32_t w = grid.Width(), h = grid.Height();
  while (!seeds.empty()) {
    const auto [x, y] = seeds.back();
    seeds.pop_back();
    CellValue* row = grid.Row(y);
    if (!test(row[x])) continue;  // taken by an earlier span
    std::int32_t left = x;
    while (left > 0 && test(row[left - 1])) --left;
    const std::int32_t right = test.Scan(row, x, w, false);
    std::memset(row + left, value, static_cast<std::size_t>(right - left));
    onSpan(y, left, right);
    for (const std::int32_t ny : {y - 1, y + 1}) {
      if (ny < 0 || ny >= h) continue;
      const CellValue* next = grid.Row(ny);
      std::int32_t i = left;
      while (true) {
        i = test.Scan(next, i, right, true);
        if (i >= right) break;
        seeds.emplace_back(i, ny);
        i = test.Scan(next, i, right, false);
      }
    }
  }
}

// The rare rule under which a filled cell still qualifies: a plain flood with a visited map, so it ends.
std::int64_t VisitedFlood(CellGrid& grid, const PixelPlane& pixels, std::int32_t x, std::int32_t y, FillRule rule) {
  const std::int32_t w = grid.Width(), h = grid.Height();
  std::vector<bool> seen(static_cast<std::size_t>(grid.Total()));
  std::vector<std::pair<std::int32_t, std::int32_t>> stack{{x, y}};
  seen[static_cast<std::size_t>(y) * w + x] = true;
  std::int64_t count = 0;
  while (!stack.empty()) {
    const auto [cx, cy] = stack.back();
    stack.pop_back();
    grid.At(cx, cy) = CELL_FILLED;
    SetPixels(pixels, cy, cx, cx + 1, kKeyPixel);
    ++count;
    const std::pair<std::int32_t, std::int32_t> around[] = {{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
    for (const auto& [nx, ny] : around) {
      if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
      const std::size_t i = static_cast<std::size_t>(ny) * w + nx;
      if (seen[i] || !rule.Qualifies(grid.At(nx, ny))) continue;
      seen[i] = true;
      stack.emplace_back(nx, ny);
    }
  }
  return count;
}

constexpr CellValue kEdgeBits = CELL_FILLED | CELL_CUT;

}  // namespace

std::int64_t FloodFill(CellGrid& grid, const PixelPlane& pixels, std::int32_t x, std::int32_t y, FillRule rule) {
  if (!grid.Inside(x, y) || !rule.Qualifies(grid.At(x, y))) return 0;
  if (rule.Qualifies(CELL_FILLED)) return VisitedFlood(grid, pixels, x, y, rule);
  const Test test{rule.mask, 0, rule.unblocked};
  std::vector<std::pair<std::int32_t, std::int32_t>> seeds;
  seeds.reserve(1024);
  seeds.emplace_back(x, y);
  std::int64_t count = 0;
  SpanFlood(grid, seeds, test, CELL_FILLED, [&](std::int32_t row, std::int32_t left, std::int32_t right) {
    SetPixels(pixels, row, left, right, kKeyPixel);
    count += right - left;
  });
  return count;
}

void MarkRegion(CellGrid& grid, const PixelPlane* paint, gfx::Pixel edge, std::int32_t fromX, std::int32_t fromY) {
  if (!grid.Inside(fromX, fromY)) return;
  const std::int32_t w = grid.Width(), h = grid.Height();
  const Test open{0x0F, CELL_OPEN, true};
  const bool painting = paint && paint->bits;
  // A cell borders the edge when a neighbour inside the grid is filled or cut; marks never are, so the
  // answer does not change while the flood runs.
  auto bordersEdge = [&](std::int32_t x, std::int32_t y) {
    return (x > 0 && (grid.At(x - 1, y) & kEdgeBits)) || (x + 1 < w && (grid.At(x + 1, y) & kEdgeBits)) ||
           (y > 0 && (grid.At(x, y - 1) & kEdgeBits)) || (y + 1 < h && (grid.At(x, y + 1) & kEdgeBits));
  };

  std::vector<std::pair<std::int32_t, std::int32_t>> seeds;
  seeds.reserve(1024);
  if (painting && bordersEdge(fromX, fromY)) SetPixels(*paint, fromY, fromX, fromX + 1, edge);
  const std::pair<std::int32_t, std::int32_t> around[] = {
      {fromX - 1, fromY}, {fromX + 1, fromY}, {fromX, fromY - 1}, {fromX, fromY + 1}};
  for (const auto& [nx, ny] : around) {
    if (grid.Inside(nx, ny) && open(grid.At(nx, ny))) seeds.emplace_back(nx, ny);
  }
  SpanFlood(grid, seeds, open, CELL_MARK, [&](std::int32_t y, std::int32_t left, std::int32_t right) {
    if (!painting) return;
    const CellValue* above = y > 0 ? grid.Row(y - 1) : nullptr;
    const CellValue* below = y + 1 < h ? grid.Row(y + 1) : nullptr;
    const CellValue* row = grid.Row(y);
    for (std::int32_t x = left; x < right; ++x) {
      const bool edgeNext = (x == left && x > 0 && (row[x - 1] & kEdgeBits)) ||
                            (x + 1 == right && x + 1 < w && (row[x + 1] & kEdgeBits)) ||
                            (above && (above[x] & kEdgeBits)) || (below && (below[x] & kEdgeBits));
      if (edgeNext) SetPixels(*paint, y, x, x + 1, edge);
    }
  });
}

}  // namespace zelph::game
