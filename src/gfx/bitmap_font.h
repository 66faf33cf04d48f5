// Fonts made from pictures of characters: the metrics are measured from the picture itself, so a font is
// made by drawing it. Layout A has a marker row (row 0 white over each character's cell, key colour between
// cells); layout B separates glyphs by blank columns only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "gfx/blit.h"
#include "gfx/gfx_result.h"
#include "gfx/surface.h"

namespace zelph::gfx {

// CreateFont flags.
inline constexpr std::uint32_t kFontSpacing = 0x001;  // take the spacing from the pointer
inline constexpr std::uint32_t kFontLayoutB = 0x002;  // glyphs separated by blank columns, no marker row

// DrawText alignment: x is the left end, the middle or the right end of the text.
inline constexpr std::uint32_t kAlignLeft = 0;
inline constexpr std::uint32_t kAlignCenter = 2;
inline constexpr std::uint32_t kAlignRight = 4;

inline constexpr Pixel kMarkerPixel = 0xFFFF;

// Per-character metrics, indexed by the low 8 bits of the character code.
struct FontMetrics {
  std::array<std::int32_t, 256> glyphX{};
  std::array<std::int32_t, 256> glyphWidth{};  // 0: not in the font
  std::array<std::int32_t, 256> leftBearing{};
  std::array<std::int32_t, 256> rightBearing{};
};

class BitmapFont {
 public:
  explicit BitmapFont(GraphicsContext& context = GraphicsContext::Global()) : picture_(context) {}
  BitmapFont(const BitmapFont&) = delete;
  BitmapFont& operator=(const BitmapFont&) = delete;
  virtual ~BitmapFont() = default;

  // The glyph picture; load it (image decoding) before CreateFont.
  Surface& Picture() { return picture_; }
  const Surface& Picture() const { return picture_; }

  // Measures the picture for `chars` in picture order (none: the 95 printable ASCII characters) and makes
  // `key` the picture's colour key. Characters are indexed by the low 8 bits of their code; a later
  // character replaces an earlier one with the same low byte. GFX_E_BAD_IMAGE when layout A's marker cells
  // do not match the glyphs found.
  virtual Result CreateFont(std::optional<std::u16string_view> chars, Color key, std::uint32_t flags,
                            const std::int32_t* spacing);

  // The width DrawText gives `text`, or a failure code (E_INVALIDARG for an empty text, GFX_E_NO_PIXELS
  // without metrics).
  Result TextWidth(std::u16string_view text) const;

  // Draws `text` with one keyed Blt (bltFlags | 0x001, fx) per character that has a glyph, x aligned as
  // `align` says. The first failing Blt ends the call with its result.
  virtual Result DrawText(Surface& dest, std::int32_t x, std::int32_t y, std::u16string_view text,
                          std::uint32_t align, std::uint32_t bltFlags, const BltFx* fx) const;

  bool HasMetrics() const { return metrics_ != nullptr; }
  bool HasMarkerRow() const { return hasMarkerRow_; }
  std::int32_t GlyphHeight() const { return glyphHeight_; }
  std::int32_t Spacing() const { return spacing_; }
  std::int32_t GlyphX(char16_t c) const { return metrics_ ? metrics_->glyphX[c & 0xFF] : 0; }
  std::int32_t GlyphWidth(char16_t c) const { return metrics_ ? metrics_->glyphWidth[c & 0xFF] : 0; }
  std::int32_t LeftBearing(char16_t c) const { return metrics_ ? metrics_->leftBearing[c & 0xFF] : 0; }
  std::int32_t RightBearing(char16_t c) const { return metrics_ ? metrics_->rightBearing[c & 0xFF] : 0; }

 protected:
  // The checks every DrawText makes before it draws.
  Result CheckDraw(const Surface& dest, std::u16string_view text) const;

  Surface picture_;
  std::unique_ptr<FontMetrics> metrics_;
  bool hasMarkerRow_ = false;
  std::int32_t fontWidth_ = 0;
  std::int32_t glyphHeight_ = 0;
  std::int32_t spacing_ = 0;
};

// DrawText through whichever font is given; E_INVALIDARG without one.
Result DrawText(Surface& dest, std::int32_t x, std::int32_t y, std::u16string_view text,
                const BitmapFont* font, std::uint32_t align, std::uint32_t bltFlags = 0,
                const BltFx* fx = nullptr);

}  // namespace zelph::gfx
