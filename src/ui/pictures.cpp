#include "ui/pictures.h"

#include <algorithm>
#include <array>

#include "config/pack_list.h"
#include "config/resources.h"
#include "gfx/blit.h"

namespace zelph::ui {

const config::ConfigSection* GuiSection(std::string_view name) {
  return config::GuiDocument().FindSection(name);
}

config::ResourcePack* PackFor(std::uint32_t id) { return id ? config::GlobalPackList().FindPack(id) : nullptr; }

Result LoadPicture(gfx::Sprite& sprite, config::ResourcePack* pack, std::uint32_t id) {
  if (id == 0) {
    sprite.Reset(false);
    return E_INVALIDARG;
  }
  Result r = sprite.Load(pack, id);
  if (Failed(r)) sprite.Reset(false);
  return r;
}

namespace {
std::int32_t Bounded(std::int32_t n) { return std::clamp(n, -kMaxCoordinate, kMaxCoordinate); }
}  // namespace

std::optional<Rect> FindRect(const config::ConfigSection& section, std::string_view key) {
  std::array<std::int32_t, 4> v;
  if (!section.GetQuad(key, v)) return std::nullopt;
  const std::int32_t x = Bounded(v[0]), y = Bounded(v[1]);
  return Rect{x, y, x + Bounded(v[2]), y + Bounded(v[3])};
}

Rect ReadRect(const config::ConfigSection& section, std::string_view key) {
  return FindRect(section, key).value_or(Rect{});
}

std::int32_t ReadBoundedInt(const config::ConfigSection& section, std::string_view key, std::int32_t fallback) {
  return Bounded(section.GetInt(key, fallback));
}

void DrawPicture(gfx::Surface& target, int x, int y, gfx::Sprite& image, gfx::Sprite* alpha, Rect source,
                 std::uint32_t bltFlags, std::uint32_t opacity) {
  gfx::Surface* frame = image.FrameSurface(-1);
  if (!frame) return;
  gfx::Surface* alphaFrame = alpha ? alpha->FrameSurface(-1) : nullptr;
  Rect part = gfx::Intersect(source, frame->Bounds());
  if (alphaFrame) part = gfx::Intersect(part, alphaFrame->Bounds());
  if (part.IsEmpty()) return;
  x += part.left - source.left;
  y += part.top - source.top;
  if (alphaFrame) {
    gfx::AlphaBlt(target, x, y, frame, &part, alphaFrame, &part, opacity ? gfx::kDrawOpacity : 0u, &opacity);
    return;
  }
  gfx::BltFx fx;
  fx.opacity = opacity;
  gfx::Blt(target, x, y, frame, &part, bltFlags, &fx);
}

std::uint32_t FramesColorKey(gfx::Sprite& sprite) {
  const gfx::Surface* frame = sprite.FrameSurface(0);
  return frame ? frame->ColorKey() : kColorKey;
}

bool IsKeyPixel(gfx::Sprite& sprite, int x, int y, std::uint32_t colorKey) {
  const gfx::Surface* frame = sprite.FrameSurface(-1);
  if (!frame) return false;
  // Off the picture (a tap on the far edge of the control) there is nothing to hit.
  if (x < 0 || y < 0 || x >= frame->Width() || y >= frame->Height()) return true;
  return frame->Row(y)[x] == gfx::ColorToPixel(colorKey);
}

}  // namespace zelph::ui
