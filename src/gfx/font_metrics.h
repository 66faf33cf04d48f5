// Measuring a font picture: where each character's glyph lies, for the two picture layouts.
#pragma once

#include <string_view>

#include "gfx/bitmap_font.h"

namespace zelph::gfx {

// Layout A: row 0 is white over each character's cell. A glyph is the run of columns with ink below row 0
// (a space's glyph is its marker columns), ended by a blank column outside any cell; the bearings are the
// columns of the cell on either side of the glyph. GFX_E_BAD_IMAGE when the cells and glyphs differ in
// number.
Result MeasureMarkerLayout(const Surface& picture, std::u16string_view chars, Pixel key, FontMetrics& out);

// Layout B: every maximal run of columns that are not all key colour is the next character's glyph; a
// leading space takes the blank columns before the first run.
void MeasureGapLayout(const Surface& picture, std::u16string_view chars, Pixel key, FontMetrics& out);

}  // namespace zelph::gfx
