#include "gfx/font_strip.h"

#include <cstring>

#include "gfx/bitmap_font.h"
#include "gfx/blit.h"

namespace zelph::gfx {
namespace {

struct GlyphShape {
  std::int32_t width = 0;
  const char* art = nullptr;
};

GlyphShape ShapeOf(const char* art) {
  const char* bar = std::strchr(art, '|');
  return {static_cast<std::int32_t>(bar ? bar - art : std::strlen(art)), art};
}

std::int32_t CellWidth(const GlyphShape& g, const StripStyle& style) {
  return g.width + (style.shadow ? 1 : 0);
}

}  // namespace

std::int32_t StripWidth(const GlyphTable& table, int count, const StripStyle& style) {
  std::int32_t width = 0;
  for (int i = 0; i < count && i < static_cast<int>(table.glyphs.size()); ++i) {
    width += CellWidth(ShapeOf(table.glyphs[static_cast<std::size_t>(i)]), style) + 1;  // and a key column
  }
  return width;
}

std::int32_t StripHeight(const GlyphTable& table, const StripStyle& style) {
  return 1 + table.rows + (style.shadow ? 1 : 0);
}

Result DrawGlyphStrip(Surface& picture, const GlyphTable& table, int count, const StripStyle& style) {
  if (picture.Width() < StripWidth(table, count, style) || picture.Height() < StripHeight(table, style)) {
    return GFX_E_OUT_OF_BOUNDS;
  }
  if (Result r = FillRect(picture, nullptr, kMagenta); Failed(r)) return r;
  std::int32_t left = 0;
  for (int i = 0; i < count && i < static_cast<int>(table.glyphs.size()); ++i) {
    const GlyphShape g = ShapeOf(table.glyphs[static_cast<std::size_t>(i)]);
    const std::int32_t cell = CellWidth(g, style);
    for (std::int32_t x = 0; x < cell; ++x) picture.Row(0)[left + x] = kMarkerPixel;
    // The shadow first, so the ink covers it where they meet.
    for (int pass = style.shadow ? 0 : 1; pass < 2; ++pass) {
      const std::int32_t shift = pass == 0 ? 1 : 0;
      const Pixel colour = pass == 0 ? style.shadowInk : style.ink;
      const char* p = g.art;
      for (std::int32_t row = 0; row < table.rows && *p; ++row) {
        for (std::int32_t x = 0; x < g.width && *p && *p != '|'; ++x, ++p) {
          if (*p == '#') picture.Row(1 + row + shift)[left + x + shift] = colour;
        }
        if (*p == '|') ++p;
      }
    }
    left += cell + 1;
  }
  return S_OK;
}

}  // namespace zelph::gfx
