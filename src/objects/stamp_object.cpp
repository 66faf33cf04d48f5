#include "objects/stamp_object.h"

#include <algorithm>
#include <cmath>

#include "game/grid_line.h"
#include "gfx/blit.h"
#include "gfx/gfx_result.h"
#include "gfx/sprite.h"
#include "ui/pictures.h"

namespace zelph::objects {

Result StampObject::Init(const config::ConfigSection& def, std::int32_t x, std::int32_t y) {
  if (Failed(FieldObject::Init(def, x, y))) return gfx::GFX_E_GENERIC;
  kindCode = game::kKindStamp;
  loaded_ = true;
  return S_OK;
}

Result StampObject::Placed(gfx::Surface& texture, game::CellGrid& grid) {
  if (!definition) return gfx::GFX_E_GENERIC;
  const std::uint32_t imageId = definition->GetNumber("image", 0);
  const std::uint32_t alphaId = definition->GetNumber("image_a", 0);
  config::ResourcePack* pack = PackOf({imageId, alphaId});
  // Sprites of their own, let go of when the stamp is done.
  gfx::Sprite picture, alpha;
  if (imageId) ui::LoadPicture(picture, pack, imageId);
  if (alphaId) ui::LoadPicture(alpha, pack, alphaId);
  gfx::Surface* frame = picture.FrameSurface(-1);
  gfx::Surface* weights = alpha.FrameSurface(-1);
  // Without the colour key: the picture becomes part of the wood, magenta pixels included.
  if (frame && weights) {
    const gfx::Rect part = gfx::Intersect(frame->Bounds(), weights->Bounds());
    gfx::AlphaBlt(texture, absRect.left, absRect.top, frame, &part, weights, &part, 0);
  } else if (frame) {
    gfx::Blt(texture, absRect.left, absRect.top, frame, nullptr, gfx::kBltPlain);
  }
  MarkDisc(grid);
  return gfx::GFX_E_GENERIC;
}

void StampObject::MarkDisc(game::CellGrid& grid) const {
  const std::int64_t r = radius;
  const std::int32_t cx = CellX(), cy = CellY();
  // Rows beyond the grid write nothing; the loop stops at the grid's height either way.
  const std::int64_t rows =
      std::min<std::int64_t>(r, std::int64_t{grid.Height()} + std::abs(std::int64_t{cy}));
  for (std::int64_t i = 0; i < rows; ++i) {
    const auto half = static_cast<std::int32_t>(std::sqrt(static_cast<double>(r * r - i * i)));
    const std::int32_t x0 = static_cast<std::int32_t>(std::max<std::int64_t>(0, std::int64_t{cx} - half));
    const std::int32_t x1 =
        static_cast<std::int32_t>(std::min<std::int64_t>(grid.Width(), std::int64_t{cx} + half));
    const auto up = static_cast<std::int32_t>(cy - i), down = static_cast<std::int32_t>(cy + i);
    game::DrawGridLine(grid, x0, up, x1, up, game::CELL_SLOW, game::kLineOr);
    game::DrawGridLine(grid, x0, down, x1, down, game::CELL_SLOW, game::kLineOr);
  }
}

}  // namespace zelph::objects
