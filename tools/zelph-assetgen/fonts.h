// The game's fonts: strips of glyphs with a marker row, and their alpha pictures.
//
// Layout of a strip (what the game measures): row 0 is white (255, 255, 255) over each character's cell
// and the key colour (255, 0, 255) between cells; every cell is followed by one column of key colour, the
// last one too, so that each cell is a run of marker pixels ended by a key pixel. Below row 0 each cell
// holds its character: ink where the alpha picture gives it weight, key colour everywhere else. A cell
// spans the character's advance and all of its ink (outline and shadow included), so the ink never leaves
// its cell. The alpha picture is the same size, grey, 0 on row 0 and wherever the strip has key colour.
#pragma once

#include <string>
#include <string_view>

#include "raster.h"
#include "text.h"

namespace zelph::assetgen {

// The game's character sets, in picture order: "@EN" (the 95 printable ASCII characters), "@ENRU" (those
// with the grave accent in place of the apostrophe, then А..Я with Ё after Е, then а..я with ё after е) and
// "@RU" (space to "@" with the grave accent for the apostrophe, the capitals, "[\]^_`", the small letters,
// "{|}~").
enum class CharSet { kEn, kEnRu, kRu };
std::u32string CharSetString(CharSet set);
const char* CharSetTag(CharSet set);  // "@EN", "@ENRU", "@RU"
bool ParseCharSet(std::string_view tag, CharSet& out);

struct FontLook {
  Color fill{0xFF, 0xFF, 0xFF};   // top of the letters
  Color fill2{0xFF, 0xFF, 0xFF};  // bottom
  Color outline{0x00, 0x00, 0x00};
  int outlineWidth = 0;  // pixels at the strip's own size
  int shadow = 0;        // drop shadow offset in pixels
};

inline constexpr Color kFontKey{0xFF, 0x00, 0xFF};

struct FontStrip {
  Encoded picture;  // rgb: the strip with its marker row; alpha: the weights
  int cells = 0;
};

// Renders `chars` with `face` (already sized). False with a message when the face lacks a character.
bool BuildFontStrip(FontFace& face, std::u32string_view chars, const FontLook& look, FontStrip& out,
                    std::string& error);

}  // namespace zelph::assetgen
