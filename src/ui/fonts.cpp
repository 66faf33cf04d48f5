#include "ui/fonts.h"

#include <string>

#include "config/text.h"
#include "gfx/blit.h"
#include "gfx/char_sets.h"
#include "gfx/image_decode.h"
#include "gfx/system_fonts.h"
#include "ui/pictures.h"

namespace zelph::ui {
namespace {

Result DecodeResource(gfx::Surface& target, std::uint32_t id) {
  config::ResourcePack* pack = PackFor(id);
  if (!pack) return gfx::GFX_E_NO_RESOURCE;
  auto data = pack->Extract(id);
  if (!data) return gfx::GFX_E_NO_RESOURCE;
  return gfx::DecodeImage(target, *data, 0);
}

std::u16string CharactersFor(const config::ConfigSection& section, const std::string& key) {
  std::u16string chars;
  if (!section.GetString(key, chars) || chars == u"@EN") return gfx::CharSetString(gfx::kCharSetEnglish);
  if (chars == u"@ENRU") return gfx::CharSetString(gfx::kCharSetEnglishRussian);
  if (chars == u"@RU") return gfx::CharSetString(gfx::kCharSetRussian);
  return chars;
}

}  // namespace

std::unique_ptr<gfx::AlphaFont> LoadFont(const config::ConfigSection* section, std::string_view baseName) {
  if (!section || baseName.empty()) return nullptr;
  const std::string base(baseName);
  const std::uint32_t pictureId = section->GetNumber(base, 0);
  if (pictureId == 0) return nullptr;
  auto font = std::make_unique<gfx::AlphaFont>();
  if (Failed(DecodeResource(font->Picture(), pictureId))) return nullptr;
  // Without its alpha picture the font still draws, with hard edges.
  if (const std::uint32_t alphaId = section->GetNumber(base + "_a", 0); alphaId != 0) {
    if (Failed(DecodeResource(font->Alpha(), alphaId))) font->Alpha().CreateSurface(0, 0, 0);
  }
  const std::u16string chars = CharactersFor(*section, base + "_chars");
  if (chars.empty() || Failed(font->CreateFont(std::u16string_view(chars), kColorKey, 0, nullptr))) {
    return nullptr;
  }
  return font;
}

std::unique_ptr<gfx::BitmapFont> LoadFontResource(std::uint32_t imageId) {
  auto font = std::make_unique<gfx::BitmapFont>();
  if (Failed(DecodeResource(font->Picture(), imageId))) return nullptr;
  const std::u16string chars = gfx::CharSetString(gfx::kCharSetEnglishRussian);
  if (Failed(font->CreateFont(std::u16string_view(chars), kColorKey, 0, nullptr))) return nullptr;
  return font;
}

gfx::BitmapFont* FontOrDefault(gfx::BitmapFont* font) { return font ? font : gfx::DefaultFont(); }

gfx::AlphaFont* SoftFont(gfx::BitmapFont* font) {
  auto* soft = dynamic_cast<gfx::AlphaFont*>(font);
  return soft && soft->Alpha().HasPixels() && soft->GlyphCount() > 0 ? soft : nullptr;
}

std::int32_t FontHeight(const gfx::BitmapFont* font) { return font ? font->GlyphHeight() : 0; }

std::int32_t MeasureText(gfx::BitmapFont* font, std::u16string_view text) {
  if (!font || text.empty()) return 0;
  if (gfx::AlphaFont* soft = SoftFont(font)) {
    // As the soft font lays glyphs out: their widths, and the spacing between them.
    std::int64_t width = 0;
    int drawn = 0;
    for (char16_t ch : text) {
      if ((ch & 0xFF) == 0) continue;
      width += soft->GlyphRect(ch).Width();
      ++drawn;
    }
    return static_cast<std::int32_t>(drawn > 0 ? width + std::int64_t{soft->Spacing()} * (drawn - 1) : 0);
  }
  const Result width = font->TextWidth(text);
  return width > 0 ? width : 0;
}

void TextPen::Set(gfx::BitmapFont* font, std::uint32_t color) {
  font_ = font;
  color_ = color;
  gfx::AlphaFont* soft = SoftFont(font);
  if (color == 0 || !soft) {
    tint_.CreateSurface(0, 0, 0);
    return;
  }
  const gfx::Surface& picture = soft->Picture();
  if (Succeeded(tint_.CreateSurface(0, picture.Width(), picture.Height()))) gfx::FillRect(tint_, nullptr, color);
}

void TextPen::Draw(gfx::Surface& dest, int x, int y, std::u16string_view text, std::uint32_t align) const {
  if (!font_ || text.empty()) return;
  if (color_ != 0 && tint_.HasPixels()) {
    DrawTintedSoft(dest, x, y, text, align);
  } else if (color_ != 0 && !SoftFont(font_)) {
    gfx::BltFx fx;
    fx.fillColor = color_;
    font_->DrawText(dest, x, y, text, align, gfx::kBltFillColor, &fx);
  } else {
    font_->DrawText(dest, x, y, text, align, gfx::kBltPlain, nullptr);
  }
}

void TextPen::DrawTintedSoft(gfx::Surface& dest, int x, int y, std::u16string_view text,
                             std::uint32_t align) const {
  auto* soft = static_cast<gfx::AlphaFont*>(font_);
  std::int64_t left = x;
  if (align & (gfx::kAlignCenter | gfx::kAlignRight)) {
    const std::int64_t width = MeasureText(font_, text);
    left -= (align & gfx::kAlignCenter) ? width / 2 : width;
  }
  for (char16_t ch : text) {
    if ((ch & 0xFF) == 0) continue;
    const Rect glyph = soft->GlyphRect(ch);
    if (!glyph.IsEmpty()) {
      gfx::AlphaBlt(dest, static_cast<std::int32_t>(left), y, &tint_, &glyph, &soft->Alpha(), &glyph);
    }
    left += glyph.Width() + soft->Spacing();
  }
}

ClipScope::ClipScope(gfx::Surface& surface, const Rect& limit) : surface_(surface), saved_(surface.ClipRect()) {
  Rect clip = gfx::Intersect(limit, surface.Bounds());
  if (!saved_.IsZero()) clip = gfx::Intersect(clip, saved_);
  empty_ = clip.IsEmpty();
  if (!empty_) surface_.SetClipRect(&clip);
}

ClipScope::~ClipScope() {
  if (!empty_) surface_.SetClipRect(&saved_);
}

}  // namespace zelph::ui
