// A bitmap font with a grey alpha picture beside its glyph picture, so glyphs are drawn with soft edges
// through AlphaBlt. Without an alpha picture it is a plain BitmapFont.
#pragma once

#include <array>

#include "gfx/bitmap_font.h"

namespace zelph::gfx {

class AlphaFont : public BitmapFont {
 public:
  explicit AlphaFont(GraphicsContext& context = GraphicsContext::Global())
      : BitmapFont(context), alpha_(context) {}

  // The alpha picture (the font picture's "_a" companion); load it before CreateFont.
  Surface& Alpha() { return alpha_; }

  // With an alpha picture, first finds the glyph rectangles from row 0 (each run of non-key pixels ended by
  // a key pixel is the next character's cell), then measures as a BitmapFont with the same arguments.
  Result CreateFont(std::optional<std::u16string_view> chars, Color key, std::uint32_t flags,
                    const std::int32_t* spacing) override;

  // With an alpha picture: one AlphaBlt per character (opacity fx->opacity when bltFlags has 0x004), aligned
  // by the sum of the glyph widths and the spacing between them. Empty text draws nothing.
  Result DrawText(Surface& dest, std::int32_t x, std::int32_t y, std::u16string_view text,
                  std::uint32_t align, std::uint32_t bltFlags, const BltFx* fx) const override;

  int GlyphCount() const { return glyphCount_; }
  // The glyph rectangle of the character with this low byte; empty when it has none.
  Rect GlyphRect(char16_t c) const { return present_[c & 0xFF] ? rects_[c & 0xFF] : Rect{}; }

 private:
  Result FindGlyphRects(std::u16string_view chars, Color key);
  // Sum of glyph widths, plus the spacing between drawn glyphs.
  std::int64_t AlphaTextWidth(std::u16string_view text) const;

  Surface alpha_;
  std::array<Rect, 256> rects_{};
  std::array<bool, 256> present_{};
  int glyphCount_ = 0;
};

}  // namespace zelph::gfx
