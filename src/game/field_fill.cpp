#include "game/field_fill.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "game/cell_kernels.h"

namespace zelph::game {

namespace {

// A cell qualifies when ((v & andMask) ^ xorMask) is non-zero, or zero when `whenZero`.
struct Test {
  kernels::CellTest qualifies;
  kernels::CellTest fails;

  Test(CellValue andMask, CellValue xorMask, bool whenZero)
      : qualifies{andMask, xorMask, whenZero}, fails{andMask, xorMask, !whenZero} {}

  bool operator()(CellValue v) const { return qualifies(v); }

  // First x in [x, limit) whose cell qualifies (`want`) or does not (!`want`); `limit` when none. Most
  // scans stop at once, so the first cell is looked at here.
  std::int32_t Forward(const CellValue* row, std::int32_t x, std::int32_t limit, bool want) const {
    if (x >= limit || qualifies(row[x]) == want) return x;
    if (++x >= limit || qualifies(row[x]) == want) return x;
    return kernels::FindForward(row, x + 1, limit, want ? qualifies : fails);
  }
  // Walking left from x - 1 down to `floor`: one past the first cell that qualifies (`want`) or does not
  // (!`want`); `floor` when none.
  std::int32_t Back(const CellValue* row, std::int32_t x, std::int32_t floor, bool want) const {
    if (x <= floor || qualifies(row[x - 1]) == want) return x;
    if (--x <= floor || qualifies(row[x - 1]) == want) return x;
    return kernels::FindBack(row, x - 1, floor, want ? qualifies : fails);
  }
};

// Spans shorter than this are written in place: a call costs more than the stores.
constexpr std::int32_t kShortSpan = 16;

// Short spans and pixels that are not a pixel apart: long rows of adjacent pixels go through TakeRun.
void SetPixels(const PixelPlane& plane, std::int32_t y, std::int32_t left, std::int32_t right, gfx::Pixel value) {
  if (!plane.bits) return;
  gfx::Pixel* p = plane.bits + y * plane.yStep + left * plane.xStep;
  for (std::int32_t x = left; x < right; ++x, p += plane.xStep) *p = value;
}

void SetPixel(const PixelPlane& plane, std::int32_t y, std::int32_t x, gfx::Pixel value) {
  plane.bits[y * plane.yStep + x * plane.xStep] = value;
}

void ShowPixels(const ShowThrough* show, std::int32_t y, std::int32_t left, std::int32_t right) {
  if (!show || !show->shown) return;
  gfx::Pixel* out = show->shown + y * show->shownStep + left;
  const gfx::Pixel* in = show->through + y * show->throughStep + left;
  if (right - left < kShortSpan) {
    // A cut filled cell by cell would call memcpy once a pixel.
    for (std::int32_t i = 0; i < right - left; ++i) out[i] = in[i];
    return;
  }
  std::memcpy(out, in, static_cast<std::size_t>(right - left) * sizeof(gfx::Pixel));
}

// The cells a fill touched, kept in plain integers while it runs and handed out once at its end.
struct Box {
  std::int32_t left = std::numeric_limits<std::int32_t>::max(), top = left;
  std::int32_t right = std::numeric_limits<std::int32_t>::min(), bottom = right;

  void Add(std::int32_t y, std::int32_t x0, std::int32_t x1) {
    left = std::min(left, x0);
    right = std::max(right, x1);
    top = std::min(top, y);
    bottom = std::max(bottom, y + 1);
  }
  void HandTo(gfx::Rect* out) const {
    if (out && left < right) Grow(*out, {left, top, right, bottom});
  }
};

// A run [a, b) of qualifying cells in row y, found while scanning under the span [parentLeft, parentRight)
// of row y - dir (dir 0 for a start cell). The run may reach past its ends only where they meet the
// parent's: elsewhere a cell that does not qualify bounds it, and cells never come to qualify.
struct Run {
  std::int32_t y, a, b, parentLeft, parentRight, dir;
};

// The span flood shared by both fills: every qualifying cell 4-connected to a seed is taken by `take` (y,
// left, right, ahead), which must leave the cells of the span [left, right) of row y no longer qualifying
// (and may write what goes with them in the same pass). When `ahead` is given (the same columns of the next
// row away from the parent), take may answer how many of its first cells qualify, as TakeRun does; 0 says
// nothing. A run that an earlier span took is taken whole, so testing its first cell tells. Toward the
// parent only the cells beyond the parent's span are looked at: the parent's own cells are taken. `onGap`
// (y, nextY, from, to) is told of every stretch [from, to) of row nextY, next to a span of row y, whose
// cells were looked at and do not qualify: with the parent's cells (taken) and the rows beyond the grid,
// these are all the cells above and below a span that it did not take.
template <typename Take, typename OnGap>
void SpanFlood(CellGrid& grid, std::vector<Run>& runs, const Test& test, Take take, OnGap onGap) {
  const std::int32_t w = grid.Width(), h = grid.Height();
  // The run found last is taken next straight from here rather than through the stack: a run written to
  // memory and read back at once stalls the processor, and it is the common case of a wide region.
  Run next{};
  bool haveNext = false;
  while (haveNext || !runs.empty()) {
    Run run;
    if (haveNext) {
      run = next;
      haveNext = false;
    } else {
      run = runs.back();
      runs.pop_back();
    }
    CellValue* row = grid.Row(run.y);
    if (!test(row[run.a])) continue;
    const std::int32_t left = run.a == run.parentLeft ? test.Back(row, run.a, 0, false) : run.a;
    const std::int32_t right = run.b == run.parentRight ? test.Forward(row, run.b, w, false) : run.b;
    const std::int32_t aheadY = run.y + run.dir;
    const bool readAhead = run.dir != 0 && right - left > 1 && aheadY >= 0 && aheadY < h;
    const std::int32_t known = take(run.y, left, right, readAhead ? grid.Row(aheadY) + left : nullptr);

    if (right - left == 1 && run.dir != 0) {
      // A span of one cell (a cut, a corridor) lies within its parent's: straight on is all there is. While
      // the cell straight on is a span of one as well (neither side qualifies), it is taken here in a tight
      // walk; a cell that opens sideways goes the general way.
      const std::int32_t x = left;
      for (std::int32_t y = run.y + run.dir; y >= 0 && y < h; y += run.dir) {
        CellValue* cells = grid.Row(y);
        if (!test(cells[x])) {
          onGap(y - run.dir, y, x, x + 1);
          break;
        }
        if ((x > 0 && test(cells[x - 1])) || (x + 1 < w && test(cells[x + 1]))) {
          if (haveNext) runs.push_back(next);
          next = {y, x, x + 1, x, x + 1, run.dir};
          haveNext = true;
          break;
        }
        take(y, x, x + 1, nullptr);
      }
      continue;
    }
    // Where to look next: away from the parent the whole span, toward it the parts beyond its span.
    struct Range {
      std::int32_t y, from, to, dir, known;
    } ranges[4];
    int count = 0;
    for (const std::int32_t dir : {-1, 1}) {
      const std::int32_t y = run.y + dir;
      if (y < 0 || y >= h) continue;
      if (run.dir == 0 || dir == run.dir) {
        ranges[count++] = {y, left, right, dir, dir == run.dir ? known : 0};
      } else {
        if (left < run.parentLeft) ranges[count++] = {y, left, run.parentLeft, dir, 0};
        if (run.parentRight < right) ranges[count++] = {y, run.parentRight, right, dir, 0};
      }
    }
    for (int r = 0; r < count; ++r) {
      const Range& range = ranges[r];
      const CellValue* cells = grid.Row(range.y);
      std::int32_t gap = range.from;
      if (range.known > 0) {
        // The cells that take already read qualify up to the first that does not: that is a whole run.
        gap = range.from + range.known;
        if (haveNext) runs.push_back(next);
        next = {range.y, range.from, gap, left, right, range.dir};
        haveNext = true;
      }
      for (;;) {
        const std::int32_t i = test.Forward(cells, gap, range.to, true);
        if (gap < i) onGap(run.y, range.y, gap, i);
        if (i == range.to) break;
        gap = test.Forward(cells, i, range.to, false);
        if (haveNext) runs.push_back(next);
        next = {range.y, i, gap, left, right, range.dir};
        haveNext = true;
      }
    }
  }
}

// The rare rule under which a filled cell still qualifies: a plain flood with a visited map, so it ends.
std::int64_t VisitedFlood(CellGrid& grid, const PixelPlane& pixels, std::int32_t x, std::int32_t y, FillRule rule,
                          const FillExtras& extras) {
  const std::int32_t w = grid.Width(), h = grid.Height();
  std::vector<bool> seen(static_cast<std::size_t>(grid.Total()));
  std::vector<std::pair<std::int32_t, std::int32_t>> stack{{x, y}};
  seen[static_cast<std::size_t>(y) * w + x] = true;
  std::int64_t count = 0;
  Box box;
  while (!stack.empty()) {
    const auto [cx, cy] = stack.back();
    stack.pop_back();
    grid.At(cx, cy) = CELL_FILLED;
    SetPixels(pixels, cy, cx, cx + 1, kKeyPixel);
    ShowPixels(extras.showThrough, cy, cx, cx + 1);
    box.Add(cy, cx, cx + 1);
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
  box.HandTo(extras.touched);
  return count;
}

constexpr CellValue kEdgeBits = CELL_FILLED | CELL_CUT;
// A scan that stops at a filled or cut cell.
constexpr kernels::CellTest kEdge{kEdgeBits, 0, false};

}  // namespace

void Grow(gfx::Rect& box, const gfx::Rect& more) {
  if (more.IsEmpty()) return;
  box = box.IsEmpty() ? more
                      : gfx::Rect{std::min(box.left, more.left), std::min(box.top, more.top),
                                  std::max(box.right, more.right), std::max(box.bottom, more.bottom)};
}

std::int64_t FloodFill(CellGrid& grid, const PixelPlane& pixels, std::int32_t x, std::int32_t y, FillRule rule,
                       const FillExtras& extras) {
  if (!grid.Inside(x, y) || !rule.Qualifies(grid.At(x, y))) return 0;
  if (rule.Qualifies(CELL_FILLED)) return VisitedFlood(grid, pixels, x, y, rule, extras);
  const Test test{rule.mask, 0, rule.unblocked};
  std::vector<Run> runs;
  runs.reserve(1024);
  runs.push_back({y, x, x + 1, x, x + 1, 0});
  std::int64_t count = 0;
  Box box;
  const ShowThrough* show = extras.showThrough && extras.showThrough->shown ? extras.showThrough : nullptr;
  SpanFlood(grid, runs, test, [&](std::int32_t row, std::int32_t left, std::int32_t right, const CellValue* ahead) {
    CellValue* cells = grid.Row(row);
    box.Add(row, left, right);
    count += right - left;
    if (right - left >= kShortSpan && (!pixels.bits || pixels.xStep == 1)) {
      return kernels::TakeRun(cells + left, CELL_FILLED,
                              pixels.bits ? pixels.bits + row * pixels.yStep + left : nullptr, kKeyPixel,
                              show ? show->shown + row * show->shownStep + left : nullptr,
                              show ? show->through + row * show->throughStep + left : nullptr, right - left, ahead,
                              test.fails);
    }
    for (std::int32_t x = left; x < right; ++x) cells[x] = CELL_FILLED;
    SetPixels(pixels, row, left, right, kKeyPixel);
    ShowPixels(show, row, left, right);
    return std::int32_t{0};
  }, [](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {});
  box.HandTo(extras.touched);
  return count;
}

void MarkRegion(CellGrid& grid, const PixelPlane* paint, gfx::Pixel edge, std::int32_t fromX, std::int32_t fromY,
                gfx::Rect* painted, const ShowThrough* show) {
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

  Box box;
  if (show && !show->shown) show = nullptr;
  auto paintAt = [&](std::int32_t y, std::int32_t x) {
    SetPixel(*paint, y, x, edge);
    if (show) {
      gfx::Pixel& shown = show->shown[y * show->shownStep + x];
      shown = edge == kKeyPixel ? show->through[y * show->throughStep + x] : edge;
    }
    box.Add(y, x, x + 1);
  };

  std::vector<Run> runs;
  runs.reserve(1024);
  if (painting && bordersEdge(fromX, fromY)) paintAt(fromY, fromX);
  const std::pair<std::int32_t, std::int32_t> around[] = {
      {fromX - 1, fromY}, {fromX + 1, fromY}, {fromX, fromY - 1}, {fromX, fromY + 1}};
  for (const auto& [nx, ny] : around) {
    if (grid.Inside(nx, ny) && open(grid.At(nx, ny))) runs.push_back({ny, nx, nx + 1, nx, nx + 1, 0});
  }
  // Marks alone are written faster by memset than with the row ahead read along: the scan reads it.
  SpanFlood(grid, runs, open, [&](std::int32_t y, std::int32_t left, std::int32_t right, const CellValue*) {
    CellValue* row = grid.Row(y);
    if (right - left >= kShortSpan) {
      std::memset(row + left, CELL_MARK, static_cast<std::size_t>(right - left));
    } else {
      for (std::int32_t x = left; x < right; ++x) row[x] = CELL_MARK;
    }
    if (painting) {
      if (left > 0 && (row[left - 1] & kEdgeBits)) paintAt(y, left);
      if (right < w && (row[right] & kEdgeBits)) paintAt(y, right - 1);
    }
    return std::int32_t{0};
  }, [&](std::int32_t y, std::int32_t nextY, std::int32_t from, std::int32_t to) {
    // Above and below a span, what it did not take and is filled or cut outlines it.
    if (!painting) return;
    const CellValue* cells = grid.Row(nextY);
    for (std::int32_t x = from; x < to; ++x) {
      if (to - x > 2) x = kernels::FindForward(cells, x, to, kEdge);
      if (x < to && (cells[x] & kEdgeBits)) paintAt(y, x);
    }
  });
  box.HandTo(painted);
}

}  // namespace zelph::game
