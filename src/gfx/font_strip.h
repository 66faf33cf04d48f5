// Draws a built-in glyph design as a font picture of layout A: row 0 white over each character's cell and
// key colour between cells, the glyphs below in one ink colour on the key colour.
#pragma once

#include <cstdint>

#include "gfx/font_glyphs.h"
#include "gfx/gfx_result.h"
#include "gfx/surface.h"

namespace zelph::gfx {

struct StripStyle {
  Pixel ink = 0xFFFF;
  bool shadow = false;  // a drop shadow one pixel right and down, which widens each cell by one
  Pixel shadowInk = 0;
};

// Columns and rows the first `count` glyphs of `table` need.
std::int32_t StripWidth(const GlyphTable& table, int count, const StripStyle& style);
std::int32_t StripHeight(const GlyphTable& table, const StripStyle& style);

// Fills `picture` (already created, at least the strip's size) with the key colour 0xFF00FF and draws the
// strip from its left edge.
Result DrawGlyphStrip(Surface& picture, const GlyphTable& table, int count, const StripStyle& style);

}  // namespace zelph::gfx
