#include "fonts.h"

#include <algorithm>

#include "fixed_math.h"

namespace zelph::assetgen {

namespace {

struct Cell {
  GlyphBitmap glyph;
  int left = 0;   // cell start relative to the pen
  int width = 0;  // cell width
};

// Round to the 5-6-5 level the game keeps, never landing on the key colour.
void StoreInk(std::uint8_t* rgb, Color c) {
  const int r5 = (c.r * 31 + 127) / 255, g6 = (c.g * 63 + 127) / 255, b5 = (c.b * 31 + 127) / 255;
  const int g = (r5 == 31 && g6 == 0 && b5 == 31) ? 1 : g6;
  rgb[0] = static_cast<std::uint8_t>((r5 << 3) | (r5 >> 2));
  rgb[1] = static_cast<std::uint8_t>((g << 2) | (g >> 4));
  rgb[2] = static_cast<std::uint8_t>((b5 << 3) | (b5 >> 2));
}

void StoreColor(std::uint8_t* rgb, Color c) {
  rgb[0] = c.r;
  rgb[1] = c.g;
  rgb[2] = c.b;
}

// Grows coverage by r pixels with a round brush.
std::vector<int> Dilate(const std::vector<int>& cov, int w, int h, int r) {
  std::vector<int> out(cov.size(), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int best = 0;
      for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
          const int sx = x + dx, sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= w || sy >= h || dx * dx + dy * dy > r * r + r) continue;
          best = std::max(best, cov[static_cast<std::size_t>(sy) * w + sx]);
        }
      out[static_cast<std::size_t>(y) * w + x] = best;
    }
  return out;
}

}  // namespace

std::u32string CharSetString(CharSet set) {
  std::u32string ascii;
  for (char32_t c = 0x20; c <= 0x7E; ++c) ascii += c;
  std::u32string upper, lower;
  for (char32_t c = 0x410; c <= 0x42F; ++c) {
    upper += c;
    lower += static_cast<char32_t>(c + 0x20);
    if (c == 0x415) {  // Ё and ё follow Е and е
      upper += U'\u0401';
      lower += U'\u0451';
    }
  }
  if (set == CharSet::kEn) return ascii;
  std::u32string withGrave = ascii;
  withGrave[U'\'' - 0x20] = U'`';
  if (set == CharSet::kEnRu) return withGrave + upper + lower;
  return withGrave.substr(0, U'@' - 0x20 + 1) + upper + U"[\\]^_`" + lower + U"{|}~";
}

const char* CharSetTag(CharSet set) {
  return set == CharSet::kEn ? "@EN" : set == CharSet::kEnRu ? "@ENRU" : "@RU";
}

bool ParseCharSet(std::string_view tag, CharSet& out) {
  for (CharSet s : {CharSet::kEn, CharSet::kEnRu, CharSet::kRu})
    if (tag == CharSetTag(s)) {
      out = s;
      return true;
    }
  return false;
}

bool BuildFontStrip(FontFace& face, std::u32string_view chars, const FontLook& look, FontStrip& out,
                    std::string& error) {
  const int grow = look.outlineWidth;
  const int shadow = std::max(0, look.shadow);
  std::vector<Cell> cells(chars.size());
  int above = 1, below = 1;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    Cell& c = cells[i];
    if (!face.Render(chars[i], c.glyph)) {
      error = "the face has no character U+" + std::to_string(static_cast<unsigned>(chars[i]));
      return false;
    }
    const GlyphBitmap& g = c.glyph;
    int right = std::max(1, g.advance);
    if (g.w > 0) {
      c.left = std::min(0, g.left - grow);
      right = std::max(right, g.left + g.w + grow + shadow);
      above = std::max(above, g.top + grow);
      below = std::max(below, g.h - g.top + grow + shadow);
    }
    c.width = right - c.left;
  }
  const int height = 1 + above + below;
  const int baseline = 1 + above;
  int width = 0;
  for (const Cell& c : cells) width += c.width + 1;
  // The fill's gradient runs from the cap height down to the baseline, the same for every character.
  const int gradHeight = std::max(1, face.Ascender() * 3 / 4);
  const int gradTop = baseline - 1 - gradHeight;

  Encoded& pic = out.picture;
  pic.w = width;
  pic.h = height;
  pic.rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
  pic.alpha.assign(static_cast<std::size_t>(width) * height, 0);
  for (std::size_t i = 0; i < pic.alpha.size(); ++i) StoreColor(&pic.rgb[i * 3], kFontKey);

  int x0 = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const Cell& c = cells[i];
    for (int x = x0; x < x0 + c.width; ++x)
      StoreColor(&pic.rgb[static_cast<std::size_t>(x) * 3], Color{255, 255, 255});
    const GlyphBitmap& g = c.glyph;
    if (g.w > 0) {
      // The glyph's coverage, its outline and its shadow on a canvas the size of the cell.
      const int cw = c.width, ch = height - 1;
      std::vector<int> fill(static_cast<std::size_t>(cw) * ch, 0);
      const int gx = -c.left + g.left, gy = baseline - 1 - g.top;
      for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x)
          fill[static_cast<std::size_t>(gy + y) * cw + gx + x] =
              g.coverage[static_cast<std::size_t>(y) * g.w + x] * kOne / 255;
      const std::vector<int> ring = grow ? Dilate(fill, cw, ch, grow) : fill;
      Image cell(cw, ch);
      for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x) {
          Px& p = cell.At(x, y);
          const std::size_t k = static_cast<std::size_t>(y) * cw + x;
          if (shadow && x >= shadow && y >= shadow)
            BlendOver(p, Premultiply(Color{0x10, 0x08, 0x04}),
                      ring[k - static_cast<std::size_t>(shadow) * cw - shadow] / 2);
          if (grow) BlendOver(p, Premultiply(look.outline), ring[k]);
          const Color f = Mix(look.fill, look.fill2, Clamp((y - gradTop) * kOne / gradHeight, 0, kOne));
          BlendOver(p, Premultiply(f), fill[k]);
        }
      // Into the strip: ink where the game's alpha blit gives weight, key colour elsewhere. A tiny glyph
      // whose ink all falls below that weight keeps its strongest pixel, so every character still has a
      // glyph the game can find.
      int strongest = 0;
      std::size_t strongestAt = 0;
      bool anyInk = false;
      for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x) {
          const Px& p = cell.At(x, y);
          const std::size_t k = static_cast<std::size_t>(y + 1) * width + x0 + x;
          if (p.a > strongest) {
            strongest = p.a;
            strongestAt = k;
          }
          const int a8 = (p.a * 255 + kOne / 2) >> 15;
          const int q = std::min(31, (a8 + 4) >> 3);
          if (q == 0) continue;
          anyInk = true;
          pic.alpha[k] = static_cast<std::uint8_t>(q * 8 + (q >> 2));
          auto straight = [&p](int v) {
            return static_cast<std::uint8_t>(std::min(255, (v * 255 + p.a / 2) / p.a));
          };
          StoreInk(&pic.rgb[k * 3], Color{straight(p.r), straight(p.g), straight(p.b)});
        }
      if (!anyInk && strongest > 0) {
        pic.alpha[strongestAt] = 8;
        StoreInk(&pic.rgb[strongestAt * 3], look.fill);
      }
    }
    x0 += c.width + 1;
  }
  out.cells = static_cast<int>(cells.size());
  return true;
}

}  // namespace zelph::assetgen
