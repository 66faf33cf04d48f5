#include "gfx/bitmap_font.h"

#include <string>

#include "gfx/char_sets.h"
#include "gfx/font_metrics.h"

namespace zelph::gfx {

Result BitmapFont::CreateFont(std::optional<std::u16string_view> chars, Color key, std::uint32_t flags,
                              const std::int32_t* spacing) {
  if ((flags & kFontSpacing) && !spacing) return E_INVALIDARG;
  if (chars && chars->empty()) return E_INVALIDARG;
  if (Result r = picture_.CheckUsable(); Failed(r)) return r;
  const std::u16string ascii = chars ? std::u16string() : CharSetString(kCharSetEnglish);
  const std::u16string_view list = chars ? *chars : std::u16string_view(ascii);

  picture_.SetColorKey(key);
  metrics_.reset();
  auto metrics = std::make_unique<FontMetrics>();
  hasMarkerRow_ = (flags & kFontLayoutB) == 0;
  fontWidth_ = picture_.Width();
  glyphHeight_ = picture_.Height() - (hasMarkerRow_ ? 1 : 0);
  spacing_ = (flags & kFontSpacing) ? *spacing : 0;
  if (hasMarkerRow_) {
    if (Result r = MeasureMarkerLayout(picture_, list, ColorToPixel(key), *metrics); Failed(r)) return r;
  } else {
    MeasureGapLayout(picture_, list, ColorToPixel(key), *metrics);
  }
  metrics_ = std::move(metrics);
  return S_OK;
}

Result BitmapFont::TextWidth(std::u16string_view text) const {
  if (text.empty()) return E_INVALIDARG;
  if (!metrics_) return GFX_E_NO_PIXELS;
  std::int64_t width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t c = text[i] & 0xFF;
    if (i > 0) width += metrics_->leftBearing[c];
    if (metrics_->glyphWidth[c] > 0) {
      width += metrics_->glyphWidth[c];
      if (i + 1 < text.size()) width += spacing_ + metrics_->rightBearing[c];
    }
  }
  return static_cast<Result>(width);
}

Result BitmapFont::CheckDraw(const Surface& dest, std::u16string_view text) const {
  if (text.empty()) return E_INVALIDARG;
  if (!metrics_ || fontWidth_ != picture_.Width()) return GFX_E_NO_PIXELS;
  if (!dest.HasPixels() || !picture_.HasPixels()) return GFX_E_NO_PIXELS;
  if (dest.IsLocked() || picture_.IsLocked()) return GFX_E_LOCKED;
  if (dest.IsReadOnly()) return GFX_E_READ_ONLY;
  if (!dest.IsCurrent() || !picture_.IsCurrent()) return GFX_E_NOT_READY;
  return S_OK;
}

Result BitmapFont::DrawText(Surface& dest, std::int32_t x, std::int32_t y, std::u16string_view text,
                            std::uint32_t align, std::uint32_t bltFlags, const BltFx* fx) const {
  if (Result r = CheckDraw(dest, text); Failed(r)) return r;
  if (align & (kAlignCenter | kAlignRight)) {
    const Result width = TextWidth(text);
    x -= (align & kAlignCenter) ? width / 2 : width;
  }
  const std::int32_t top = hasMarkerRow_ ? 1 : 0;
  std::int64_t advance = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t c = text[i] & 0xFF;
    if (i > 0) advance += metrics_->leftBearing[c];
    const std::int32_t glyphWidth = metrics_->glyphWidth[c];
    if (glyphWidth <= 0) continue;
    const Rect glyph{metrics_->glyphX[c], top, metrics_->glyphX[c] + glyphWidth, top + glyphHeight_};
    if (Result r = Blt(dest, static_cast<std::int32_t>(x + advance), y, &picture_, &glyph,
                       bltFlags | kBltColorKey, fx);
        Failed(r)) {
      return r;
    }
    advance += glyphWidth;
    if (i + 1 < text.size()) advance += spacing_ + metrics_->rightBearing[c];
  }
  return S_OK;
}

Result DrawText(Surface& dest, std::int32_t x, std::int32_t y, std::u16string_view text,
                const BitmapFont* font, std::uint32_t align, std::uint32_t bltFlags, const BltFx* fx) {
  if (!font) return E_INVALIDARG;
  return font->DrawText(dest, x, y, text, align, bltFlags, fx);
}

}  // namespace zelph::gfx
