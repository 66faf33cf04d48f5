#include "gfx/alpha_font.h"

#include <string>

#include "gfx/char_sets.h"

namespace zelph::gfx {

Result AlphaFont::FindGlyphRects(std::u16string_view chars, Color key) {
  rects_.fill(Rect{});
  present_.fill(false);
  glyphCount_ = 0;
  LockInfo lock;
  if (Result r = picture_.Lock(&lock); Failed(r)) return r;
  const Pixel keyPixel = ColorToPixel(key);
  const Pixel* marker = picture_.Row(0);
  std::size_t next = 0;
  for (std::int32_t x = 0; x < lock.width && next < chars.size();) {
    if (marker[x] == keyPixel) {
      ++x;
      continue;
    }
    const std::int32_t first = x;
    while (x < lock.width && marker[x] != keyPixel) ++x;
    if (x == lock.width) break;  // a cell needs a key pixel after it
    const std::size_t c = chars[next++] & 0xFF;
    rects_[c] = Rect{first, 1, x, lock.height};
    present_[c] = true;
    ++glyphCount_;
  }
  return picture_.Unlock();
}

Result AlphaFont::CreateFont(std::optional<std::u16string_view> chars, Color key, std::uint32_t flags,
                             const std::int32_t* spacing) {
  if (chars && chars->empty()) return E_INVALIDARG;
  if (alpha_.HasPixels()) {
    const std::u16string ascii = chars ? std::u16string() : CharSetString(kCharSetEnglish);
    if (Result r = FindGlyphRects(chars ? *chars : std::u16string_view(ascii), key); Failed(r)) return r;
  }
  return BitmapFont::CreateFont(chars, key, flags, spacing);
}

std::int64_t AlphaFont::AlphaTextWidth(std::u16string_view text) const {
  std::int64_t width = 0;
  int drawn = 0;
  for (char16_t ch : text) {
    if ((ch & 0xFF) == 0) continue;
    width += GlyphRect(ch).Width();
    ++drawn;
  }
  return drawn > 0 ? width + std::int64_t{spacing_} * (drawn - 1) : 0;
}

// The text is indexed by the low byte of each UTF-16 code, the same key the glyph table was built with, so
// Cyrillic letters find their glyphs as they do in a BitmapFont.
Result AlphaFont::DrawText(Surface& dest, std::int32_t x, std::int32_t y, std::u16string_view text,
                           std::uint32_t align, std::uint32_t bltFlags, const BltFx* fx) const {
  if (!alpha_.HasPixels()) return BitmapFont::DrawText(dest, x, y, text, align, bltFlags, fx);
  if (glyphCount_ == 0) return E_INVALIDARG;
  std::int64_t left = x;
  if (align & (kAlignCenter | kAlignRight)) {
    const std::int64_t width = AlphaTextWidth(text);
    left -= (align & kAlignCenter) ? width / 2 : width;
  }
  const bool useOpacity = (bltFlags & kBltOpacity) && fx;
  const std::uint32_t opacity = useOpacity ? fx->opacity : 255;
  for (char16_t ch : text) {
    if ((ch & 0xFF) == 0) continue;
    const Rect glyph = GlyphRect(ch);
    if (!glyph.IsEmpty()) {
      if (Result r = AlphaBlt(dest, static_cast<std::int32_t>(left), y, &picture_, &glyph, &alpha_, &glyph,
                              useOpacity ? kDrawOpacity : 0, &opacity);
          Failed(r)) {
        return r;
      }
    }
    left += glyph.Width() + spacing_;
  }
  return S_OK;
}

}  // namespace zelph::gfx
