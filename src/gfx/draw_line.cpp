// DrawLine and DrawRect.
#include <cstdlib>

#include "gfx/blit.h"
#include "gfx/draw_checks.h"

namespace zelph::gfx {
namespace {

struct Point {
  std::int64_t x, y;
};

// Outcode bits: below the last row, above the first, right of the last column, left of the first.
constexpr int kBelow = 1, kAbove = 2, kRight = 4, kLeft = 8;

int Outcode(const Point& p, const Rect& r) {
  int code = 0;
  if (p.y > r.bottom - 1) code |= kBelow;
  if (p.y < r.top) code |= kAbove;
  if (p.x > r.right - 1) code |= kRight;
  if (p.x < r.left) code |= kLeft;
  return code;
}

// a + (b - a)(edge - c) / (d - c), truncating; 128-bit so that no coordinates can overflow.
std::int64_t Cross(std::int64_t a, std::int64_t b, std::int64_t edge, std::int64_t c, std::int64_t d) {
  return a + static_cast<std::int64_t>(static_cast<__int128>(b - a) * (edge - c) / (d - c));
}

// Cuts the segment to r; false when nothing of it is inside. Integer intersections can leave an end just
// outside again, so the loop is bounded and gives up rather than spin.
bool ClipLine(Point* p1, Point* p2, const Rect& r) {
  for (int round = 0; round < 16; ++round) {
    const int c1 = Outcode(*p1, r), c2 = Outcode(*p2, r);
    if ((c1 | c2) == 0) return true;
    if (c1 & c2) return false;
    const int c = c1 ? c1 : c2;
    Point* p = c1 ? p1 : p2;
    Point moved;
    if (c & (kBelow | kAbove)) {
      const std::int64_t edge = (c & kBelow) ? r.bottom - 1 : r.top;
      moved = {Cross(p1->x, p2->x, edge, p1->y, p2->y), edge};
    } else {
      const std::int64_t edge = (c & kRight) ? r.right - 1 : r.left;
      moved = {edge, Cross(p1->y, p2->y, edge, p1->x, p2->x)};
    }
    *p = moved;
  }
  return false;
}

class Plotter {
 public:
  Plotter(Surface& dest, Pixel color, std::uint32_t opacity)
      : dest_(dest), color_(color), opacity_(opacity) {}
  void Put(std::int32_t x, std::int32_t y) const {
    Pixel* d = dest_.Row(y) + x;
    *d = BlendOpacity(color_, *d, opacity_);
  }
  // Weight 0..32 of a smoothed line pixel, scaled by the opacity.
  void PutWeighted(std::int32_t x, std::int32_t y, std::uint32_t weight) const {
    Pixel* d = dest_.Row(y) + x;
    *d = Blend(color_, *d, opacity_ >= 255 ? weight : weight * opacity_ / 255);
  }

 private:
  Surface& dest_;
  Pixel color_;
  std::uint32_t opacity_;
};

// floor(a / b) for b > 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Bresenham: error term 2 dMinor - dMajor, one pixel per major step, both ends drawn.
void Bresenham(const Plotter& plot, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  const std::int64_t dx = std::llabs(std::int64_t{x2} - x1), dy = std::int64_t{y2} - y1;
  const std::int32_t sx = x2 > x1 ? 1 : -1;
  std::int32_t x = x1, y = y1;
  if (dx >= dy) {
    std::int64_t err = 2 * dy - dx;
    for (std::int64_t i = 0; i <= dx; ++i, x += sx) {
      plot.Put(x, y);
      if (err > 0) {
        ++y;
        err -= 2 * dx;
      }
      err += 2 * dy;
    }
  } else {
    std::int64_t err = 2 * dx - dy;
    for (std::int64_t i = 0; i <= dy; ++i, ++y) {
      plot.Put(x, y);
      if (err > 0) {
        x += sx;
        err -= 2 * dy;
      }
      err += 2 * dx;
    }
  }
}

// Smoothed sloped line: along the major axis, the exact minor position in 1/32 steps is shared between the
// two pixels it falls between. Both ends land on whole pixels, so the second pixel never leaves the line's
// bounding box (and so never leaves the clipped area).
void Antialiased(const Plotter& plot, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  const std::int64_t dx = std::int64_t{x2} - x1, dy = std::int64_t{y2} - y1;
  const bool xMajor = std::llabs(dx) >= dy;
  const std::int64_t steps = xMajor ? std::llabs(dx) : dy;
  const std::int64_t minorSpan = xMajor ? dy : dx;
  for (std::int64_t i = 0; i <= steps; ++i) {
    const std::int64_t pos = FloorDiv(i * minorSpan * 32, steps);  // minor offset in 1/32 pixels
    const std::int64_t whole = FloorDiv(pos, 32);
    const auto frac = static_cast<std::uint32_t>(pos - whole * 32);
    const auto major = static_cast<std::int32_t>(xMajor ? x1 + (dx > 0 ? i : -i) : y1 + i);
    const auto minor = static_cast<std::int32_t>((xMajor ? y1 : x1) + whole);
    if (xMajor) {
      plot.PutWeighted(major, minor, 32 - frac);
      if (frac) plot.PutWeighted(major, minor + 1, frac);
    } else {
      plot.PutWeighted(minor, major, 32 - frac);
      if (frac) plot.PutWeighted(minor + 1, major, frac);
    }
  }
}

Result CheckLineArguments(Surface& dest, std::uint32_t flags, const std::uint32_t* opacity,
                          std::uint32_t* o) {
  if (flags & ~(kDrawOpacity | kLineAntialias)) return E_INVALIDARG;
  if (Result r = detail::ReadOpacity(flags & kDrawOpacity, opacity, o); Failed(r)) return r;
  if (*o == 0) return S_OK;
  if (Result r = detail::CheckSurfaces(dest, {}); Failed(r)) return r;
  if (!dest.Context().IsRgb565()) return GFX_E_NOT_READY;
  return S_OK;
}

}  // namespace

Result DrawLine(Surface& dest, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                Color color, std::uint32_t flags, const std::uint32_t* opacity) {
  std::uint32_t o = 255;
  if (Result r = CheckLineArguments(dest, flags, opacity, &o); Failed(r) || o == 0) return r;

  Point p1{x1, y1}, p2{x2, y2};
  if (p1.y > p2.y) std::swap(p1, p2);
  const Rect clip = dest.ClipRect();
  if (!clip.IsZero() && !ClipLine(&p1, &p2, clip)) return S_OK;
  if (Outcode(p1, dest.Bounds()) | Outcode(p2, dest.Bounds())) {
    if (!dest.SkipsBoundsChecks()) return GFX_E_OUT_OF_BOUNDS;
    // The caller promised to stay inside; what does not is cut off rather than written out of bounds.
    if (!ClipLine(&p1, &p2, dest.Bounds())) return S_OK;
  }

  const Plotter plot(dest, ColorToPixel(color), o);
  const auto ax = static_cast<std::int32_t>(p1.x), ay = static_cast<std::int32_t>(p1.y);
  const auto bx = static_cast<std::int32_t>(p2.x), by = static_cast<std::int32_t>(p2.y);
  if (ay == by) {
    for (std::int32_t x = std::min(ax, bx); x <= std::max(ax, bx); ++x) plot.Put(x, ay);
  } else if (ax == bx) {
    for (std::int32_t y = ay; y <= by; ++y) plot.Put(ax, y);
  } else if (flags & kLineAntialias) {
    Antialiased(plot, ax, ay, bx, by);
  } else {
    Bresenham(plot, ax, ay, bx, by);
  }
  return S_OK;
}

Result DrawRect(Surface& dest, const Rect* rect, Color color, std::uint32_t flags,
                const std::uint32_t* opacity) {
  std::uint32_t o = 255;
  if (Result r = CheckLineArguments(dest, flags, opacity, &o); Failed(r) || o == 0) return r;
  const Rect r = rect ? Normalized(*rect) : dest.Bounds();
  if (r.IsEmpty()) return GFX_E_OUT_OF_BOUNDS;
  // Checked as a whole here, so that no side is drawn when another would be refused.
  if (dest.ClipRect().IsZero() && !dest.SkipsBoundsChecks() && !dest.Bounds().Contains(r)) {
    return GFX_E_OUT_OF_BOUNDS;
  }
  const std::int32_t l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
  const std::int64_t w = r.Width(), h = r.Height();
  Result result = DrawLine(dest, l, t, rr, t, color, flags, opacity);
  if (Succeeded(result) && h > 1) result = DrawLine(dest, l, b, rr, b, color, flags, opacity);
  if (Succeeded(result) && h > 2) {
    result = DrawLine(dest, l, t + 1, l, b - 1, color, flags, opacity);
    if (Succeeded(result) && w > 1) result = DrawLine(dest, rr, t + 1, rr, b - 1, color, flags, opacity);
  }
  return result;
}

}  // namespace zelph::gfx
