#include "lettering.h"

#include <algorithm>

#include "effects.h"
#include "fixed_math.h"
#include "platform/utf8.h"

namespace zelph::assetgen {

namespace {

// Grows a mask by r pixels with a round brush (the source's soft edge keeps the result smooth).
Mask Dilate(const Mask& m, int r) {
  if (r <= 0) return m;
  Mask out(m.w, m.h);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) {
      int best = 0;
      for (int dy = -r; dy <= r && best < kOne; ++dy)
        for (int dx = -r; dx <= r; ++dx)
          if (dx * dx + dy * dy <= r * r + r) best = std::max(best, m.Get(x + dx, y + dy));
      out.At(x, y) = static_cast<std::uint16_t>(best);
    }
  return out;
}

int Scaled(int v, int divisor) { return v > 0 ? std::max(1, (v + divisor / 2) / divisor) : 0; }

}  // namespace

FontFace* FaceCache::Get(const std::string& file, std::string& error) {
  auto it = faces_.find(file);
  if (it != faces_.end()) return it->second.get();
  auto face = FontFace::Open(dir_ + "/" + file, error);
  if (!face) return nullptr;
  return (faces_[file] = std::move(face)).get();
}

bool DrawLettering(Image& img, FaceCache& faces, const Lettering& l, const std::string& utf8, int cx, int cy,
                   int maxWidth, int divisor, std::string& error) {
  std::optional<std::u32string> decoded = platform::DecodeUtf8(utf8);
  if (!decoded) {
    error = "text is not UTF-8: " + utf8;
    return false;
  }
  const std::u32string& text = *decoded;
  FontFace* face = faces.Get(l.face, error);
  if (!face) return false;
  const int outline = Scaled(l.outlineWidth, divisor);
  const int shadow = Scaled(l.shadow, divisor);
  const int pad = outline + shadow + 2;
  TextLine line;
  // Shrink until it fits, but never below half the asked size: text that would overflow its place even
  // then is an error in the description, not something to paint over the edge.
  bool fits = false;
  for (int px = Scaled(l.px, divisor); px >= std::max(4, Scaled(l.px, divisor) / 2) && !fits; --px) {
    if (!face->SetPixelSize(px)) {
      error = "cannot use size " + std::to_string(px) + " of " + l.face;
      return false;
    }
    line = RenderLine(*face, text, pad);
    fits = line.mask.w - 2 * pad <= Scaled(maxWidth, divisor);
  }
  if (!fits) {
    error = "the text \"" + utf8 + "\" does not fit its place even at half its size";
    return false;
  }
  const Mask& glyphs = line.mask;
  // Centre the ink box of capitals: the middle between the baseline and the cap height.
  const int capHeight = face->Ascender() * 7 / 10;
  const int ox = cx / divisor - glyphs.w / 2;
  const int oy = cy / divisor - (line.baseline - capHeight / 2);

  Image layer(glyphs.w, glyphs.h);
  if (l.style == LetterStyle::kCarved) {
    // Cut into the surface: the letters sink, so their upper-left walls fall into shadow and the lower-right
    // walls catch the light; the floor of the cut is filled with paint.
    // (Lit as if raised, then inverted: the walls are zero at the layer's border, so no seam appears there.)
    Mask walls = Blur(glyphs, std::max(1, outline));
    // Small letters keep a lighter cut and solid paint, or they blur.
    std::vector<int> shade = LightFromTopLeft(walls, divisor > 1 ? kOne : kOne * 3 / 2);
    for (int& s : shade) s = -s;
    // Shading is applied to what lies beneath: collect it as dark and light masks.
    Mask dark(glyphs.w, glyphs.h), light(glyphs.w, glyphs.h);
    for (std::size_t i = 0; i < shade.size(); ++i) {
      if (shade[i] < 0) dark.v[i] = static_cast<std::uint16_t>(std::min(kOne, -shade[i]));
      if (shade[i] > 0) light.v[i] = static_cast<std::uint16_t>(std::min(kOne, shade[i]));
    }
    PaintMask(layer, dark, 0, 0, l.outline, kOne * 3 / 4);
    PaintMask(layer, light, 0, 0, Color{0xFF, 0xF2, 0xD0}, kOne / 2);
    for (int y = 0; y < glyphs.h; ++y) {
      const Color c = Mix(l.fill, l.fill2, Clamp(y * kOne / std::max(1, glyphs.h), 0, kOne));
      for (int x = 0; x < glyphs.w; ++x)
        if (glyphs.At(x, y))
          BlendOver(layer.At(x, y), Premultiply(c), glyphs.At(x, y) * (divisor > 1 ? 8 : 7) / 8);
    }
  } else {
    Mask ring = Dilate(glyphs, outline);
    if (shadow)
      PaintMask(layer, Blur(Offset(ring, shadow, shadow), 1), 0, 0, Color{0x1A, 0x0E, 0x06}, kOne / 2);
    if (outline) PaintMask(layer, ring, 0, 0, l.outline);
    const int top = line.baseline - face->Ascender() * 8 / 10;
    const int bottom = line.baseline;
    for (int y = 0; y < glyphs.h; ++y) {
      const Color c = Mix(l.fill, l.fill2, Clamp((y - top) * kOne / std::max(1, bottom - top), 0, kOne));
      for (int x = 0; x < glyphs.w; ++x)
        if (glyphs.At(x, y)) BlendOver(layer.At(x, y), Premultiply(c), glyphs.At(x, y));
    }
  }
  // Letters never spill outside the surface they are painted on.
  for (int y = 0; y < layer.h; ++y)
    for (int x = 0; x < layer.w; ++x) {
      const int tx = ox + x, ty = oy + y;
      if (tx < 0 || ty < 0 || tx >= img.w || ty >= img.h) continue;
      Px& d = img.At(tx, ty);
      const Px& s = layer.At(x, y);
      if (!s.a || !d.a) continue;
      BlendOver(d, s, static_cast<int>((static_cast<long long>(l.opacity) * d.a) >> 15));
    }
  return true;
}

}  // namespace zelph::assetgen
