#include "shapes.h"

#include <algorithm>
#include <cstdlib>

#include "fixed_math.h"

namespace zelph::assetgen {

namespace {

int Length(std::int64_t x, std::int64_t y) {
  return static_cast<int>(ISqrt(static_cast<std::uint64_t>(x * x + y * y)));
}

}  // namespace

int RoundedRectDistance(int px, int py, int x0, int y0, int x1, int y1, int r) {
  const int cx2 = x0 + x1;  // twice the centre
  const int cy2 = y0 + y1;
  const int qx = (std::abs(2 * px - cx2) - (x1 - x0)) / 2 + r;
  const int qy = (std::abs(2 * py - cy2) - (y1 - y0)) / 2 + r;
  const int outside = Length(std::max(qx, 0), std::max(qy, 0));
  const int inside = std::min(std::max(qx, qy), 0);
  return outside + inside - r;
}

int CapsuleDistance(int px, int py, int ax, int ay, int bx, int by, int halfWidth) {
  const std::int64_t vx = bx - ax, vy = by - ay;
  const std::int64_t wx = px - ax, wy = py - ay;
  const std::int64_t len2 = vx * vx + vy * vy;
  std::int64_t t = len2 ? ((wx * vx + wy * vy) << 16) / len2 : 0;
  t = std::clamp<std::int64_t>(t, 0, 1 << 16);
  const std::int64_t dx = wx - ((vx * t) >> 16);
  const std::int64_t dy = wy - ((vy * t) >> 16);
  return Length(dx, dy) - halfWidth;
}

int CircleDistance(int px, int py, int cx, int cy, int r) { return Length(px - cx, py - cy) - r; }

int PolygonDistance(int px, int py, const int* corners, int count) {
  if (count < 2) return 1 << 30;
  int nearest = 1 << 30;
  bool inside = false;
  for (int i = 0, j = count - 1; i < count; j = i++) {
    const int ax = corners[2 * j], ay = corners[2 * j + 1], bx = corners[2 * i], by = corners[2 * i + 1];
    nearest = std::min(nearest, CapsuleDistance(px, py, ax, ay, bx, by, 0));
    // Crossings of a ray running right from the point.
    if ((ay > py) != (by > py)) {
      const std::int64_t crossX =
          ax + static_cast<std::int64_t>(bx - ax) * (py - ay) / static_cast<std::int64_t>(by - ay);
      if (px < crossX) inside = !inside;
    }
  }
  return inside ? -nearest : nearest;
}

Mask RoundedRectMask(int w, int h, int x0, int y0, int x1, int y1, int radius) {
  Mask m(w, h);
  for (int y = std::max(0, y0 - 1); y < std::min(h, y1 + 1); ++y)
    for (int x = std::max(0, x0 - 1); x < std::min(w, x1 + 1); ++x)
      m.At(x, y) = static_cast<std::uint16_t>(
          CoverageFromDistance(RoundedRectDistance(x * kSub + kSub / 2, y * kSub + kSub / 2, x0 * kSub,
                                                   y0 * kSub, x1 * kSub, y1 * kSub, radius * kSub)));
  return m;
}

Mask CircleMask(int w, int h, int cx256, int cy256, int r256) {
  Mask m(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      m.At(x, y) = static_cast<std::uint16_t>(
          CoverageFromDistance(CircleDistance(x * kSub + kSub / 2, y * kSub + kSub / 2, cx256, cy256, r256)));
  return m;
}

void DrawCapsule(Mask& m, int ax256, int ay256, int bx256, int by256, int halfWidth256) {
  const int x0 = std::max(0, (std::min(ax256, bx256) - halfWidth256) / kSub - 1);
  const int x1 = std::min(m.w, (std::max(ax256, bx256) + halfWidth256) / kSub + 2);
  const int y0 = std::max(0, (std::min(ay256, by256) - halfWidth256) / kSub - 1);
  const int y1 = std::min(m.h, (std::max(ay256, by256) + halfWidth256) / kSub + 2);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const int c = CoverageFromDistance(CapsuleDistance(x * kSub + kSub / 2, y * kSub + kSub / 2, ax256,
                                                         ay256, bx256, by256, halfWidth256));
      if (c > m.At(x, y)) m.At(x, y) = static_cast<std::uint16_t>(c);
    }
}

}  // namespace zelph::assetgen
