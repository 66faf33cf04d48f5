#include "gfx/draw_checks.h"

namespace zelph::gfx::detail {

Result CheckSurfaces(const Surface& dest, std::initializer_list<const Surface*> sources) {
  if (!dest.HasPixels()) return GFX_E_NO_PIXELS;
  for (const Surface* s : sources) {
    if (s && !s->HasPixels()) return GFX_E_NO_PIXELS;
  }
  if (dest.IsLocked()) return GFX_E_LOCKED;
  if (dest.IsReadOnly()) return GFX_E_READ_ONLY;
  for (const Surface* s : sources) {
    if (s && s->IsLocked()) return GFX_E_LOCKED;
  }
  if (!dest.IsCurrent()) return GFX_E_NOT_READY;
  for (const Surface* s : sources) {
    if (s && !s->IsCurrent()) return GFX_E_NOT_READY;
  }
  return S_OK;
}

Result ReadOpacity(bool wanted, const std::uint32_t* opacity, std::uint32_t* value) {
  *value = 255;
  if (!wanted) return S_OK;
  if (!opacity || *opacity > 255) return E_INVALIDARG;
  *value = *opacity;
  return S_OK;
}

Result Place(Placement& placement, const Surface& dest, std::initializer_list<const Surface*> sources,
             bool* visible) {
  *visible = false;
  const Rect clip = dest.ClipRect();
  if (!clip.IsZero()) {
    placement.ClipDest(clip);
    if (placement.Empty()) return S_OK;
  }
  if (!dest.SkipsBoundsChecks()) {
    if (!placement.DestInside(dest.Bounds())) return GFX_E_OUT_OF_BOUNDS;
    int i = 0;
    for (const Surface* s : sources) {
      if (!placement.SourceInside(i++, s->Bounds())) return GFX_E_OUT_OF_BOUNDS;
    }
  } else {
    // The caller promised to stay inside; whatever does not is dropped rather than written out of bounds.
    placement.ClipDest(dest.Bounds());
    int i = 0;
    for (const Surface* s : sources) placement.ClipSource(i++, s->Bounds());
    if (placement.Empty()) return S_OK;
  }
  *visible = true;
  return S_OK;
}

Result PlaceRect(const Rect& rect, const Surface& dest, Rect* placed, bool* visible) {
  Placement p(rect.left, rect.top, rect.Width(), rect.Height());
  if (Result r = Place(p, dest, {}, visible); Failed(r) || !*visible) return r;
  *placed = {p.Left(), p.Top(), p.Left() + p.W(), p.Top() + p.H()};
  return S_OK;
}

kernels::BlendMode ModeFor(std::uint32_t opacity) {
  if (opacity >= 255) return kernels::BlendMode::kStore;
  if (opacity == 128) return kernels::BlendMode::kHalf;
  return kernels::BlendMode::kGeneral;
}

}  // namespace zelph::gfx::detail
