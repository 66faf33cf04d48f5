#include "gfx/system_fonts.h"

#include <zlib.h>

#include <memory>
#include <vector>

#include "gfx/char_sets.h"
#include "gfx/font_glyphs.h"
#include "gfx/font_strip.h"
#include "gfx/image_decode.h"

namespace zelph::gfx {
namespace {

// The inflated picture is never larger than this; anything bigger is not the built-in picture.
constexpr uLongf kMaxDefaultFontBytes = 100000;

}  // namespace

Result RenderSystemFont(BitmapFont& font, bool large, Color color) {
  const std::int32_t width = large ? kLargeSystemFontWidth : kSmallSystemFontWidth;
  const std::int32_t height = large ? kLargeSystemFontHeight : kSmallSystemFontHeight;
  if (Result r = font.Picture().CreateSurface(0, width, height); Failed(r)) return r;
  StripStyle style;
  style.ink = ColorToPixel(color);
  if (Result r =
          DrawGlyphStrip(font.Picture(), large ? LargeGlyphs() : SmallGlyphs(), kSystemFontChars, style);
      Failed(r)) {
    return r;
  }
  const std::u16string chars = CharSetString(kCharSetEnglish).substr(0, kSystemFontChars);
  const std::int32_t spacing = 1;
  return font.CreateFont(std::u16string_view(chars), kMagenta, kFontSpacing, &spacing);
}

Result LoadDefaultFont(BitmapFont& font) {
  const std::span<const std::uint8_t> packed = DefaultFontData();
  std::vector<std::uint8_t> picture(kMaxDefaultFontBytes);
  uLongf size = kMaxDefaultFontBytes;
  if (uncompress(picture.data(), &size, packed.data(), static_cast<uLong>(packed.size())) != Z_OK) {
    return GFX_E_BAD_IMAGE;
  }
  Surface decoded(font.Picture().Context());
  if (Result r = DecodeImage(decoded, std::span(picture.data(), size), 0); Failed(r)) return r;
  if (Result r = font.Picture().CopyFrom(decoded); Failed(r)) return r;
  return font.CreateFont(std::nullopt, kMagenta, 0, nullptr);
}

BitmapFont* DefaultFont() {
  static bool tried = false;
  static std::unique_ptr<BitmapFont> font;
  if (!tried) {
    tried = true;
    auto made = std::make_unique<BitmapFont>();
    if (Succeeded(LoadDefaultFont(*made))) font = std::move(made);
  }
  return font.get();
}

}  // namespace zelph::gfx
