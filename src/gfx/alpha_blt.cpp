// AlphaBlt: a copy weighted per pixel by the green channel of a grey alpha picture.
#include <vector>

#include "gfx/blit.h"
#include "gfx/blit_kernels.h"
#include "gfx/draw_checks.h"

namespace zelph::gfx {
namespace {

// Copies a block out of a surface that is also the destination, so the loop never reads what it wrote.
const Pixel* Detach(const Pixel* from, std::ptrdiff_t pitch, std::int32_t w, std::int32_t h,
                    std::vector<Pixel>* scratch) {
  scratch->resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  kernels::CopyRows({scratch->data(), w, from, pitch, w, h});
  return scratch->data();
}

}  // namespace

Result AlphaBlt(Surface& dest, std::int32_t x, std::int32_t y, const Surface* src, const Rect* srcRect,
                const Surface* alpha, const Rect* alphaRect, std::uint32_t flags,
                const std::uint32_t* opacity) {
  if (!src || !alpha || (flags & ~kDrawOpacity)) return E_INVALIDARG;
  std::uint32_t o = 255;
  if (Result r = detail::ReadOpacity(flags & kDrawOpacity, opacity, &o); Failed(r)) return r;
  if (o == 0) return S_OK;
  if (Result r = detail::CheckSurfaces(dest, {src, alpha}); Failed(r)) return r;
  if (!dest.Context().IsRgb565()) return GFX_E_NOT_READY;

  const Rect a = alphaRect ? *alphaRect : alpha->Bounds();
  const Rect s = srcRect ? *srcRect : src->Bounds();
  if (a.IsEmpty() || s.Width() < a.Width() || s.Height() < a.Height()) return GFX_E_OUT_OF_BOUNDS;

  Placement p(x, y, a.Width(), a.Height());
  p.AddSource(s.left, s.top);
  p.AddSource(a.left, a.top);
  bool visible = false;
  if (Result r = detail::Place(p, dest, {src, alpha}, &visible); Failed(r) || !visible) return r;

  kernels::RowSpan span{dest.Row(p.Top()) + p.Left(),
                        dest.YStep(),
                        src->Row(p.SrcY(0)) + p.SrcX(0),
                        src->YStep(),
                        p.W(),
                        p.H()};
  kernels::AlphaParams params{alpha->Row(p.SrcY(1)) + p.SrcX(1), alpha->YStep(), detail::ModeFor(o), o};
  std::vector<Pixel> srcCopy, alphaCopy;
  if (src == &dest) {
    span.src = Detach(span.src, span.srcPitch, span.width, span.height, &srcCopy);
    span.srcPitch = span.width;
  }
  if (alpha == &dest) {
    params.alpha = Detach(params.alpha, params.alphaPitch, span.width, span.height, &alphaCopy);
    params.alphaPitch = span.width;
  }
  kernels::AlphaRows(span, params);
  return S_OK;
}

}  // namespace zelph::gfx
