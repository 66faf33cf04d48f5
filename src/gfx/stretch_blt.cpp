// StretchBlt: a nearest-pixel scaled copy, optionally mirrored, rotated and zoomed.
#include <cmath>
#include <numbers>
#include <vector>

#include "gfx/blit.h"
#include "gfx/draw_checks.h"

namespace zelph::gfx {
namespace {

// Read access to the source rectangle, detached into a copy when the source is also the destination.
class SourceView {
 public:
  SourceView(const Surface& src, const Rect& r, bool detach) : left_(r.left), top_(r.top) {
    const auto w = static_cast<std::int32_t>(r.Width()), h = static_cast<std::int32_t>(r.Height());
    if (!detach) {
      origin_ = src.Row(r.top) + r.left;
      pitch_ = src.YStep();
      return;
    }
    copy_.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (std::int32_t y = 0; y < h; ++y) {
      const Pixel* row = src.Row(r.top + y) + r.left;
      std::copy(row, row + w, copy_.begin() + static_cast<std::ptrdiff_t>(y) * w);
    }
    origin_ = copy_.data();
    pitch_ = w;
  }
  Pixel At(std::int32_t x, std::int32_t y) const { return origin_[(y - top_) * pitch_ + (x - left_)]; }

 private:
  std::int32_t left_, top_;
  const Pixel* origin_ = nullptr;
  std::ptrdiff_t pitch_ = 0;
  std::vector<Pixel> copy_;
};

// The basic per-pixel rule of flags 0..7.
struct BasicRule {
  bool useKey;
  Pixel key;
  bool useFill;
  Pixel fill;
  std::uint32_t opacity;
  void Put(Pixel* d, Pixel s) const {
    if (useKey && s == key) return;
    *d = BlendOpacity(useFill ? fill : s, *d, opacity);
  }
};

Result ValidateStretchArguments(std::uint32_t flags, const BltFx* fx, std::uint32_t* opacity) {
  *opacity = 255;
  if (flags & ~kStretchValidMask) return E_INVALIDARG;
  const std::uint32_t needsFx = kBltFillColor | kBltOpacity | kStretchRotate | kStretchZoom | kStretchCenter;
  if ((flags & needsFx) && !fx) return E_INVALIDARG;
  if (flags & kBltOpacity) {
    if (fx->opacity > 255) return E_INVALIDARG;
    *opacity = fx->opacity;
  }
  return S_OK;
}

// Plain scaling: 16.16 steps from the first source pixel, one step per destination pixel.
void Scale(Surface& dest, const Rect& full, const Rect& visible, const SourceView& src, const Rect& s,
           std::uint32_t flags, const BasicRule& rule) {
  const auto xStep = static_cast<std::int64_t>(s.Width() * 65536.0 / full.Width());
  const auto yStep = static_cast<std::int64_t>(s.Height() * 65536.0 / full.Height());
  for (std::int32_t y = visible.top; y < visible.bottom; ++y) {
    const auto row = static_cast<std::int32_t>(((y - full.top) * yStep) >> 16);
    const std::int32_t sy = (flags & kStretchMirrorY) ? s.bottom - 1 - row : s.top + row;
    Pixel* d = dest.Row(y);
    for (std::int32_t x = visible.left; x < visible.right; ++x) {
      const auto col = static_cast<std::int32_t>(((x - full.left) * xStep) >> 16);
      const std::int32_t sx = (flags & kStretchMirrorX) ? s.right - 1 - col : s.left + col;
      rule.Put(d + x, src.At(sx, sy));
    }
  }
}

// Rotation and zoom: every destination pixel of the visible part is mapped back through the inverse
// rotation, zoom and scale about the centre and takes the source pixel it lands on, if any.
void Transform(Surface& dest, const Rect& full, const Rect& visible, const SourceView& src, const Rect& s,
               std::uint32_t flags, const BltFx& fx, const BasicRule& rule) {
  const double zoom = (flags & kStretchZoom) ? fx.effectColor / 100.0 : 1.0;
  if (zoom <= 0.0) return;
  const double radians = (flags & kStretchRotate) ? fx.angle / 100.0 * std::numbers::pi / 180.0 : 0.0;
  const double cs = std::cos(radians), sn = std::sin(radians);
  const double scaleX = static_cast<double>(s.Width()) / full.Width();
  const double scaleY = static_cast<double>(s.Height()) / full.Height();
  const double cx = (flags & kStretchCenter) ? fx.centerX : s.left + s.Width() / 2.0;
  const double cy = (flags & kStretchCenter) ? fx.centerY : s.top + s.Height() / 2.0;
  // The destination point that shows the centre.
  const double dcx = full.left + (cx - s.left) / scaleX, dcy = full.top + (cy - s.top) / scaleY;
  for (std::int32_t y = visible.top; y < visible.bottom; ++y) {
    Pixel* d = dest.Row(y);
    for (std::int32_t x = visible.left; x < visible.right; ++x) {
      const double dx = (x + 0.5 - dcx) / zoom, dy = (y + 0.5 - dcy) / zoom;
      const double rx = cs * dx + sn * dy, ry = -sn * dx + cs * dy;
      const double fx2 = std::floor(cx + rx * scaleX), fy2 = std::floor(cy + ry * scaleY);
      if (fx2 < s.left || fy2 < s.top || fx2 >= s.right || fy2 >= s.bottom) continue;
      auto sx = static_cast<std::int32_t>(fx2), sy = static_cast<std::int32_t>(fy2);
      if (flags & kStretchMirrorX) sx = s.right - 1 - (sx - s.left);
      if (flags & kStretchMirrorY) sy = s.bottom - 1 - (sy - s.top);
      rule.Put(d + x, src.At(sx, sy));
    }
  }
}

}  // namespace

Result StretchBlt(Surface& dest, const Rect* destRect, const Surface* src, const Rect* srcRect,
                  std::uint32_t flags, const BltFx* fx) {
  if (!src) return E_INVALIDARG;
  std::uint32_t opacity = 255;
  if (Result r = ValidateStretchArguments(flags, fx, &opacity); Failed(r)) return r;
  if (opacity == 0) return S_OK;
  if (Result r = detail::CheckSurfaces(dest, {src}); Failed(r)) return r;

  const Rect full = destRect ? *destRect : dest.Bounds();
  const bool fillOnly = (flags & kBltFillColor) && (flags & ~(kBltFillColor | kBltOpacity)) == 0;
  if (fillOnly)
    return FillRect(dest, &full, fx->fillColor, (flags & kBltOpacity) ? kDrawOpacity : 0, &opacity);
  if (flags != kBltPlain && !dest.Context().IsRgb565()) return GFX_E_NOT_READY;

  const Rect s = srcRect ? *srcRect : src->Bounds();
  if (s.IsEmpty() || full.IsEmpty()) return GFX_E_OUT_OF_BOUNDS;
  // The source rectangle fixes the scale, so it is never cut: it must lie inside the source.
  if (!src->Bounds().Contains(s)) return GFX_E_OUT_OF_BOUNDS;
  Rect visible;
  bool any = false;
  if (Result r = detail::PlaceRect(full, dest, &visible, &any); Failed(r) || !any) return r;

  const SourceView view(*src, s, src == &dest);
  const BasicRule rule{(flags & kBltColorKey) != 0, ColorToPixel(src->ColorKey()),
                       (flags & kBltFillColor) != 0, fx ? ColorToPixel(fx->fillColor) : Pixel{0}, opacity};
  if (flags & (kStretchRotate | kStretchZoom)) {
    Transform(dest, full, visible, view, s, flags, *fx, rule);
  } else {
    Scale(dest, full, visible, view, s, flags, rule);
  }
  return S_OK;
}

}  // namespace zelph::gfx
