// How field objects meet each other and the ground: collision figures, the ground probe used for bouncing,
// which ground an object may stand on, and whether it keeps a capture out of its region.
#include <algorithm>

#include "game/field_object.h"
#include "game/game_world.h"
#include "game/texture_plane.h"

namespace zelph::game {

namespace {

gfx::Rect FigureAt(const FieldObject& o) {
  const std::int32_t x = o.CellX(), y = o.CellY();
  return {o.figureRect.left + x, o.figureRect.top + y, o.figureRect.right + x, o.figureRect.bottom + y};
}

std::int64_t Square(std::int64_t v) { return v * v; }

}  // namespace

bool FieldObject::CircleHitsCircle(const FieldObject& a, const FieldObject& b) {
  if ((a.moveOn & b.moveOn) == 0) return false;
  const std::int64_t dx = std::int64_t{a.position.x} - b.position.x;
  const std::int64_t dy = std::int64_t{a.position.y} - b.position.y;
  return dx * dx / kOne + dy * dy / kOne < Square(std::int64_t{a.radius} + b.radius) * kOne;
}

bool FieldObject::CircleHitsRect(const FieldObject& circle, const FieldObject& rect, std::uint32_t* sides) {
  if ((circle.moveOn & rect.moveOn) == 0) return false;
  const gfx::Rect r = FigureAt(rect);
  const std::int64_t cx = circle.CellX(), cy = circle.CellY();
  std::int64_t vertical = 0, horizontal = 0;
  std::uint32_t side = 0;
  if (cy < r.top) {
    vertical = Square(r.top - cy);
    side = kSideAbove;
  } else if (cy > r.bottom) {
    vertical = Square(cy - r.bottom);
    side = kSideBelow;
  }
  if (cx < r.left) {
    horizontal = Square(r.left - cx);
    side = kSideLeft;
  } else if (cx > r.right) {
    horizontal = Square(cx - r.right);
    side = kSideRight;
  }
  if (Square(circle.radius) < vertical + horizontal) return false;
  if (sides) *sides = side;
  return true;
}

bool FieldObject::RectHitsRect(const FieldObject& a, const FieldObject& b) {
  if ((a.moveOn & b.moveOn) == 0) return false;
  const gfx::Rect ra = FigureAt(a), rb = FigureAt(b);
  return std::min(ra.right, rb.right) >= std::max(ra.left, rb.left) &&
         std::min(ra.bottom, rb.bottom) >= std::max(ra.top, rb.top);
}

int FieldObject::ContactProbe(const CellGrid& grid, const std::vector<config::Point>& points, Vec8* centre) {
  if (moveOn == kMoveAnywhere) return 0;
  std::int64_t sumX = 0, sumY = 0, count = 0;
  bool cutFound = false;
  config::Point cut;
  const std::int32_t baseX = CellX(), baseY = CellY();
  for (const config::Point& p : points) {
    const std::int64_t x = std::int64_t{baseX} + p.x, y = std::int64_t{baseY} + p.y;
    if (x < 0 || y < 0 || x >= grid.Width() || y >= grid.Height()) continue;
    const CellValue cell = grid.At(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
    bool counts;
    if (moveOn == kMoveOnFilled) {
      counts = (cell & CELL_OPEN) != 0;
    } else {
      counts = (cell & (CELL_FILLED | CELL_CUT)) != 0;
      if (counts && !cutFound && (cell & CELL_CUT)) {
        cutFound = true;
        cut = {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
      }
    }
    if (!counts) continue;
    sumX += std::int64_t{position.x} + std::int64_t{p.x} * kOne;
    sumY += std::int64_t{position.y} + std::int64_t{p.y} * kOne;
    ++count;
  }
  if (cutFound && world_) world_->TouchedCut(*this, cut.x, cut.y);
  if (count == 0) return 0;
  if (centre) *centre = {static_cast<std::int32_t>(sumX / count), static_cast<std::int32_t>(sumY / count)};
  return 1;
}

bool FieldObject::OnForbiddenGround(const CellGrid& grid, const gfx::Surface&) {
  if (removed) return true;
  if (dead) return false;
  const std::int32_t x = CellX(), y = CellY();
  if (!grid.Inside(x, y)) return false;
  const bool open = (grid.At(x, y) & CELL_OPEN) != 0;
  if (moveOn == kMoveOnFilled) return open;
  if (moveOn == kMoveOnOpen) return !open;
  return false;
}

int FieldObject::BlocksFill(CellGrid& testGrid, gfx::Surface& surface, std::int32_t x, std::int32_t y) {
  if (testFill == 0 || testFill == 2) return 0;
  lastFillTest = {x, y};
  if (dead || removed) return 0;
  if (world_) return world_->RegionReachable(testGrid, &surface, CellX(), CellY(), x, y, true);
  return RegionReachableIn(testGrid, &surface, 0, CellX(), CellY(), x, y, true);
}

}  // namespace zelph::game
