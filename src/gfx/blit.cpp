// Blt: the rectangle copy with colour key, fill colour, opacity and the colour effects.
#include "gfx/blit.h"

#include <cstring>
#include <limits>
#include <vector>

#include "gfx/blit_effects.h"
#include "gfx/blit_kernels.h"
#include "gfx/draw_checks.h"
#include "gfx/placement.h"

namespace zelph::gfx {
namespace {

Result ValidateBltArguments(std::uint32_t flags, const BltFx* fx, std::uint32_t* opacity) {
  *opacity = 255;
  if (flags & ~kBltValidMask) return E_INVALIDARG;
  const bool effects = (flags & ~kBltBasicMask) != 0;
  if (!fx) return ((flags & (kBltFillColor | kBltOpacity)) || effects) ? E_INVALIDARG : S_OK;
  if (flags & kBltOpacity) {
    if (fx->opacity > 255) return E_INVALIDARG;
    *opacity = fx->opacity;
  }
  if (effects) return detail::ValidateEffect(flags, *fx);
  return S_OK;
}

bool IsWholeSurfaceCopy(const Surface& dest, const Surface& src, const Placement& p) {
  return dest.InSystemMemory() && p.Left() == 0 && p.Top() == 0 && p.SrcX(0) == 0 && p.SrcY(0) == 0 &&
         p.W() == dest.Width() && p.H() == dest.Height() && src.Width() == dest.Width() &&
         src.Height() == dest.Height() && src.YStep() == dest.YStep() && src.Origin() == dest.Origin() &&
         src.BufferBytes() == dest.BufferBytes();
}

}  // namespace

Result Blt(Surface& dest, std::int32_t x, std::int32_t y, const Surface* src, const Rect* srcRect,
           std::uint32_t flags, const BltFx* fx) {
  if (!src) return E_INVALIDARG;
  std::uint32_t opacity = 255;
  if (Result r = ValidateBltArguments(flags, fx, &opacity); Failed(r)) return r;
  if (opacity == 0) return S_OK;
  if (Result r = detail::CheckSurfaces(dest, {src}); Failed(r)) return r;

  const Rect s = srcRect ? *srcRect : src->Bounds();
  const bool fillOnly = (flags & kBltFillColor) && (flags & ~(kBltFillColor | kBltOpacity)) == 0;
  if (fillOnly) {
    const std::int64_t right = x + s.Width(), bottom = y + s.Height();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (right > kMax || bottom > kMax) return GFX_E_OUT_OF_BOUNDS;
    const Rect d{x, y, static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)};
    const std::uint32_t drawFlags = (flags & kBltOpacity) ? kDrawOpacity : 0;
    return FillRect(dest, &d, fx->fillColor, drawFlags, &opacity);
  }
  if (flags != kBltPlain && !dest.Context().IsRgb565()) return GFX_E_NOT_READY;
  if (s.IsEmpty()) return GFX_E_OUT_OF_BOUNDS;

  Placement p(x, y, s.Width(), s.Height());
  p.AddSource(s.left, s.top);
  bool visible = false;
  if (Result r = detail::Place(p, dest, {src}, &visible); Failed(r) || !visible) return r;

  if (flags == kBltPlain && IsWholeSurfaceCopy(dest, *src, p)) {
    if (src != &dest) std::memcpy(dest.Pixels(), src->Pixels(), static_cast<std::size_t>(dest.BufferBytes()));
    return S_OK;
  }

  kernels::RowSpan span{dest.Row(p.Top()) + p.Left(),
                        dest.YStep(),
                        src->Row(p.SrcY(0)) + p.SrcX(0),
                        src->YStep(),
                        p.W(),
                        p.H()};
  // A surface drawn onto itself: take the source out first so the loops never read what they wrote.
  std::vector<Pixel> scratch;
  if (src == &dest) {
    scratch.resize(static_cast<std::size_t>(span.width) * static_cast<std::size_t>(span.height));
    kernels::CopyRows({scratch.data(), span.width, span.src, span.srcPitch, span.width, span.height});
    span.src = scratch.data();
    span.srcPitch = span.width;
  }

  const bool useKey = flags & kBltColorKey;
  const Pixel key = ColorToPixel(src->ColorKey());
  if (flags & ~kBltBasicMask) {
    detail::EffectRows(span, flags, *fx, useKey, key);
  } else if (flags == kBltPlain) {
    kernels::CopyRows(span);
  } else {
    kernels::BasicParams params;
    params.useKey = useKey;
    params.key = key;
    params.useFill = flags & kBltFillColor;
    params.fill = fx ? ColorToPixel(fx->fillColor) : 0;
    params.mode = (flags & kBltOpacity) ? detail::ModeFor(opacity) : kernels::BlendMode::kStore;
    params.k = opacity >> 3;
    kernels::BasicRows(span, params);
  }
  return S_OK;
}

}  // namespace zelph::gfx
