// The pixel designs of the graphics layer's built-in fonts: the display's two system fonts and the default
// font. Characters run from the space on, in code order.
#pragma once

#include <span>

namespace zelph::gfx {

struct GlyphTable {
  int rows;                             // glyph height in pixels
  std::span<const char* const> glyphs;  // "..#|.#.|...": rows from the top, "#" ink, "." none
};

// 91 characters, space to "z", 5 rows.
const GlyphTable& SmallGlyphs();
// 95 characters, space to "~", 7 rows.
const GlyphTable& LargeGlyphs();

}  // namespace zelph::gfx
