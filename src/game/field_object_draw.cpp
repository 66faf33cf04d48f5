// Drawing a field object: its picture (colourised once it is dead), the blow animation, and the death mark
// stamped into the field where it died.
#include <algorithm>

#include "game/field_object.h"
#include "gfx/blit.h"
#include "gfx/gfx_result.h"

namespace zelph::game {

namespace {

gfx::Surface* CurrentFrame(gfx::Sprite* sprite) { return sprite ? sprite->FrameSurface(-1) : nullptr; }

// Blits `image` at (x, y): through `alpha` when it has a frame, else with the colour key and the constant
// opacity. A picture without alpha still keeps its transparent corners.
Result PutPicture(gfx::Surface& dest, std::int32_t x, std::int32_t y, gfx::Surface& image, gfx::Surface* alpha,
                  std::uint32_t opacity) {
  if (alpha) {
    const gfx::Rect part = gfx::Intersect(image.Bounds(), alpha->Bounds());
    return gfx::AlphaBlt(dest, x, y, &image, &part, alpha, &part, gfx::kDrawOpacity, &opacity);
  }
  gfx::BltFx fx;
  fx.opacity = opacity;
  return gfx::Blt(dest, x, y, &image, nullptr, gfx::kBltColorKey | gfx::kBltOpacity, &fx);
}

}  // namespace

Result FieldObject::Draw(gfx::Surface& surface, std::int32_t originX, std::int32_t originY) {
  Result r = DrawFrame(surface, originX + absRect.left, originY + absRect.top);
  if (dead && markSprite.FrameCount() > 0) {
    if (gfx::Surface* blow = CurrentFrame(&blowSprite)) {
      const std::int32_t x = originX + CellX() + blowRect.left, y = originY + CellY() + blowRect.top;
      if (gfx::Surface* alpha = CurrentFrame(&blowAlpha)) {
        const gfx::Rect part = gfx::Intersect(blow->Bounds(), alpha->Bounds());
        gfx::AlphaBlt(surface, x, y, blow, &part, alpha, &part);
      } else {
        gfx::Blt(surface, x, y, blow, nullptr, gfx::kBltColorKey);
      }
    }
  }
  return r;
}

Result FieldObject::DrawFrame(gfx::Surface& surface, std::int32_t x, std::int32_t y) {
  gfx::Surface* frame = CurrentFrame(sprite);
  if (!frame) return S_OK;
  const std::uint32_t alpha = static_cast<std::uint32_t>(std::clamp(opacity, 0, 255));
  if (dead && deathColour != 0) {
    // Colourised into a scratch copy, which keeps each pixel's brightness and the colour key.
    if (scratch_.Width() != frame->Width() || scratch_.Height() != frame->Height()) {
      if (Result r = scratch_.CreateSurface(0, frame->Width(), frame->Height()); Failed(r)) return r;
    }
    scratch_.SetColorKey(frame->ColorKey());
    gfx::BltFx fx;
    fx.effectColor = deathColour;
    if (Result r = gfx::Blt(scratch_, 0, 0, frame, nullptr, gfx::kBltColorize, &fx); Failed(r)) return r;
    frame = &scratch_;
  }
  return PutPicture(surface, x, y, *frame, CurrentFrame(alphaSprite), alpha);
}

Result FieldObject::StampDeathMark(gfx::Surface& composed, std::int32_t originX, std::int32_t originY,
                                   gfx::Surface& texture, CellGrid& grid, std::uint32_t flags) {
  if (!(flags & kStampMark)) return gfx::GFX_E_GENERIC;
  gfx::Surface* mark = CurrentFrame(&markSprite);
  if (!mark) return S_OK;
  const std::int32_t x = CellX() + markRect.left, y = CellY() + markRect.top;
  gfx::Surface* alpha = CurrentFrame(&markAlpha);
  if (!alpha) {
    gfx::Blt(composed, originX + x, originY + y, mark, nullptr, gfx::kBltColorKey);
    gfx::Blt(texture, x, y, mark, nullptr, gfx::kBltColorKey);
    return S_OK;
  }
  // The mark shows only on open ground: its weights over captured cells are cleared in a copy.
  gfx::Surface weights;
  if (Result r = weights.CopyFrom(*alpha); Failed(r)) return r;
  for (std::int32_t j = 0; j < weights.Height(); ++j) {
    gfx::Pixel* row = weights.Row(j);
    for (std::int32_t i = 0; i < weights.Width(); ++i) {
      if (grid.Inside(x + i, y + j) && (grid.At(x + i, y + j) & CELL_FILLED)) row[i * weights.XStep()] = 0;
    }
  }
  const gfx::Rect part = gfx::Intersect(mark->Bounds(), weights.Bounds());
  gfx::AlphaBlt(composed, originX + x, originY + y, mark, &part, &weights, &part);
  gfx::AlphaBlt(texture, x, y, mark, &part, &weights, &part);
  return S_OK;
}

}  // namespace zelph::game
