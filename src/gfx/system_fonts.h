// The graphics layer's own fonts: the display's two small system fonts, drawn from built-in glyph designs
// in the system font colour, and the default font used when text is drawn without a font of the game.
#pragma once

#include <cstdint>
#include <span>

#include "gfx/bitmap_font.h"

namespace zelph::gfx {

inline constexpr std::int32_t kSmallSystemFontWidth = 460;
inline constexpr std::int32_t kSmallSystemFontHeight = 6;
inline constexpr std::int32_t kLargeSystemFontWidth = 620;
inline constexpr std::int32_t kLargeSystemFontHeight = 8;
inline constexpr int kSystemFontChars = 91;  // space to "z"

// Draws the small or large system font into `font`'s picture (key colour 0xFF00FF, glyphs in `color`) and
// measures it as layout A with spacing 1.
Result RenderSystemFont(BitmapFont& font, bool large, Color color);

// Loads the built-in default font picture (an "eBM" picture kept zlib-compressed in the program) into
// `font` and measures it for the printable ASCII characters with key 0xFF00FF.
Result LoadDefaultFont(BitmapFont& font);

// The default font of the global graphics context, made on first use. Null when it could not be made; it is
// not tried again.
BitmapFont* DefaultFont();

// The compressed picture as built in.
std::span<const std::uint8_t> DefaultFontData();

}  // namespace zelph::gfx
