// The toolkit's fonts: loading one from the three keys of a section, and drawing a line of text in it,
// optionally tinted with a colour, whether the font has soft (alpha) edges or not.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "config/config_section.h"
#include "gfx/alpha_font.h"
#include "gfx/bitmap_font.h"
#include "ui/control.h"

namespace zelph::ui {

// The font from the keys base (picture), base + "_a" (alpha picture, optional) and base + "_chars"
// ("@ENRU", "@RU", "@EN" or absent for the built-in character sets; any other text is the picture's own
// list). Null when the section or the picture is missing, or the picture cannot be loaded or measured.
std::unique_ptr<gfx::AlphaFont> LoadFont(const config::ConfigSection* section, std::string_view baseName);

// A font picture with the fixed list of space to "~" (backquote for the apostrophe) and the Russian letters,
// keyed 0xFF00FF. Null when it cannot be loaded.
std::unique_ptr<gfx::BitmapFont> LoadFontResource(std::uint32_t imageId);

// `font`, or the graphics layer's default font when null (which may itself be missing).
gfx::BitmapFont* FontOrDefault(gfx::BitmapFont* font);
// The font as an AlphaFont that draws soft edges, or null when it draws plain glyphs.
gfx::AlphaFont* SoftFont(gfx::BitmapFont* font);
// The height of a line of glyphs; 0 without a font.
std::int32_t FontHeight(const gfx::BitmapFont* font);
// The width the font draws `text` with; 0 for empty text or without a font.
std::int32_t MeasureText(gfx::BitmapFont* font, std::u16string_view text);

// Draws lines of one font, in its own colours or, with a colour other than 0, in that colour.
class TextPen {
 public:
  void Set(gfx::BitmapFont* font, std::uint32_t color);
  gfx::BitmapFont* Font() const { return font_; }
  // `align` is gfx::kAlignLeft, kAlignCenter or kAlignRight around x.
  void Draw(gfx::Surface& dest, int x, int y, std::u16string_view text, std::uint32_t align) const;

 private:
  // Soft glyphs are tinted by blending a plain surface of the colour through the font's alpha picture.
  void DrawTintedSoft(gfx::Surface& dest, int x, int y, std::u16string_view text, std::uint32_t align) const;

  gfx::BitmapFont* font_ = nullptr;
  std::uint32_t color_ = 0;
  gfx::Surface tint_;
};

// Restricts drawing on a surface to a rectangle (within any clip it already has) until it goes.
class ClipScope {
 public:
  ClipScope(gfx::Surface& surface, const Rect& limit);
  ~ClipScope();
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;
  // Nothing of the rectangle is left to draw in.
  bool Empty() const { return empty_; }

 private:
  gfx::Surface& surface_;
  Rect saved_;
  bool empty_ = false;
};

}  // namespace zelph::ui
