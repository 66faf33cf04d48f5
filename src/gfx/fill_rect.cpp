// FillRect: a solid or blended rectangle.
#include "gfx/blit.h"
#include "gfx/blit_kernels.h"
#include "gfx/draw_checks.h"

namespace zelph::gfx {

Result FillRect(Surface& dest, const Rect* rect, Color color, std::uint32_t flags,
                const std::uint32_t* opacity) {
  if (flags & ~kDrawOpacity) return E_INVALIDARG;
  std::uint32_t o = 255;
  if (Result r = detail::ReadOpacity(flags & kDrawOpacity, opacity, &o); Failed(r)) return r;
  if (o == 0) return S_OK;
  if (Result r = detail::CheckSurfaces(dest, {}); Failed(r)) return r;
  const kernels::BlendMode mode = detail::ModeFor(o);
  if (mode != kernels::BlendMode::kStore && !dest.Context().IsRgb565()) return GFX_E_NOT_READY;

  const Rect wanted = rect ? *rect : dest.Bounds();
  if (wanted.IsEmpty()) return GFX_E_OUT_OF_BOUNDS;
  Rect r;
  bool visible = false;
  if (Result res = detail::PlaceRect(wanted, dest, &r, &visible); Failed(res) || !visible) return res;

  const Pixel pixel = ColorToPixel(color);
  const auto width = static_cast<std::int32_t>(r.Width()), height = static_cast<std::int32_t>(r.Height());
  if (mode != kernels::BlendMode::kStore) {
    kernels::BlendFillRows(dest.Row(r.top) + r.left, dest.YStep(), width, height, pixel, mode, o >> 3);
  } else if (r == dest.Bounds() && dest.InSystemMemory()) {
    // The whole buffer, row padding included, in one run.
    kernels::FillRows(dest.Pixels(), dest.BufferBytes() / 2, dest.BufferBytes() / 2, 1, pixel);
  } else {
    kernels::FillRows(dest.Row(r.top) + r.left, dest.YStep(), width, height, pixel);
  }
  return S_OK;
}

}  // namespace zelph::gfx
