#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace zelph::assetgen {

struct FontFace::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Impl() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

FontFace::FontFace(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::Open(const std::string& path, std::string& error) {
  auto impl = std::make_unique<Impl>();
  if (FT_Init_FreeType(&impl->library) != 0) {
    error = "FreeType cannot start";
    return nullptr;
  }
  if (FT_New_Face(impl->library, path.c_str(), 0, &impl->face) != 0) {
    error = "cannot open the font " + path;
    return nullptr;
  }
  return std::unique_ptr<FontFace>(new FontFace(std::move(impl)));
}

bool FontFace::SetPixelSize(int pixels) {
  return pixels > 0 && FT_Set_Pixel_Sizes(impl_->face, 0, static_cast<FT_UInt>(pixels)) == 0;
}

bool FontFace::Render(char32_t c, GlyphBitmap& out) {
  out = GlyphBitmap{};
  FT_Face face = impl_->face;
  const FT_UInt index = FT_Get_Char_Index(face, c);
  if (index == 0) return false;
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  if (bm.width > 0 && bm.pixel_mode != FT_PIXEL_MODE_GRAY) return false;
  out.present = true;
  out.left = slot->bitmap_left;
  out.top = slot->bitmap_top;
  out.w = static_cast<int>(bm.width);
  out.h = static_cast<int>(bm.rows);
  out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  out.coverage.resize(static_cast<std::size_t>(out.w) * out.h);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x)
      out.coverage[static_cast<std::size_t>(y) * out.w + x] = bm.buffer[y * bm.pitch + x];
  return true;
}

int FontFace::Kerning(char32_t left, char32_t right) {
  FT_Face face = impl_->face;
  if (!FT_HAS_KERNING(face)) return 0;
  FT_Vector k{};
  if (FT_Get_Kerning(face, FT_Get_Char_Index(face, left), FT_Get_Char_Index(face, right), FT_KERNING_DEFAULT,
                     &k) != 0)
    return 0;
  return static_cast<int>((k.x + 32) >> 6);
}

int FontFace::Ascender() const { return static_cast<int>((impl_->face->size->metrics.ascender + 63) >> 6); }
int FontFace::Descender() const {
  return static_cast<int>((-impl_->face->size->metrics.descender + 63) >> 6);
}

TextLine RenderLine(FontFace& face, std::u32string_view text, int pad) {
  struct Placed {
    GlyphBitmap glyph;
    int pen;
  };
  std::vector<Placed> placed;
  int pen = 0, minX = 0, maxX = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0) pen += face.Kerning(text[i - 1], text[i]);
    Placed p{{}, pen};
    face.Render(text[i], p.glyph);
    if (p.glyph.w > 0) {
      minX = std::min(minX, pen + p.glyph.left);
      maxX = std::max(maxX, pen + p.glyph.left + p.glyph.w);
    }
    pen += p.glyph.advance;
    maxX = std::max(maxX, pen);
    placed.push_back(std::move(p));
  }
  TextLine line;
  const int asc = face.Ascender();
  line.baseline = pad + asc;
  line.mask = Mask(maxX - minX + 2 * pad, asc + face.Descender() + 2 * pad);
  for (const Placed& p : placed) {
    const int ox = pad - minX + p.pen + p.glyph.left;
    const int oy = line.baseline - p.glyph.top;
    for (int y = 0; y < p.glyph.h; ++y)
      for (int x = 0; x < p.glyph.w; ++x) {
        const int tx = ox + x, ty = oy + y;
        if (tx < 0 || ty < 0 || tx >= line.mask.w || ty >= line.mask.h) continue;
        const int cov = p.glyph.coverage[static_cast<std::size_t>(y) * p.glyph.w + x] * kOne / 255;
        line.mask.At(tx, ty) = static_cast<std::uint16_t>(std::max<int>(line.mask.At(tx, ty), cov));
      }
  }
  return line;
}

}  // namespace zelph::assetgen
