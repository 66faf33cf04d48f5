#include "raster.h"

#include <algorithm>

#include "fixed_math.h"

namespace zelph::assetgen {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::uint16_t To15(int v8) { return static_cast<std::uint16_t>((v8 * kOne + 127) / 255); }

// Ordered 4 x 4 dither thresholds.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

std::uint8_t Quantise(int c8, int levels, int bayer) {
  int q = (c8 * levels + bayer * 16 + 8) / 255;
  q = std::min(q, levels);
  return levels == 31 ? static_cast<std::uint8_t>((q << 3) | (q >> 2))
                      : static_cast<std::uint8_t>((q << 2) | (q >> 4));
}

// One pass of a box blur of width 2r+1 along rows (horizontal) or columns, zero outside.
void BoxPass(const std::vector<int>& in, std::vector<int>& out, int w, int h, int r, bool horizontal) {
  const int len = horizontal ? w : h;
  const int lines = horizontal ? h : w;
  const int stride = horizontal ? 1 : w;
  const int lineStep = horizontal ? w : 1;
  // Dividing by 2r+1 through a 32-bit reciprocal: exact enough, and no division per pixel.
  const std::int64_t reciprocal = ((1LL << 32) + 2 * r) / (2 * r + 1);
  for (int line = 0; line < lines; ++line) {
    const int base = line * lineStep;
    std::int64_t sum = 0;
    for (int i = -r; i <= r; ++i)
      if (i >= 0 && i < len) sum += in[base + i * stride];
    for (int i = 0; i < len; ++i) {
      out[base + i * stride] = static_cast<int>((sum * reciprocal + (1LL << 31)) >> 32);
      const int add = i + r + 1;
      const int sub = i - r;
      if (add < len) sum += in[base + add * stride];
      if (sub >= 0) sum -= in[base + sub * stride];
    }
  }
}

}  // namespace

bool ParseColor(std::string_view text, Color& out) {
  if (!text.empty() && text[0] == '#') text.remove_prefix(1);
  if (text.size() != 6) return false;
  int v[6];
  for (int i = 0; i < 6; ++i)
    if ((v[i] = HexDigit(text[i])) < 0) return false;
  out = Color{static_cast<std::uint8_t>(v[0] * 16 + v[1]), static_cast<std::uint8_t>(v[2] * 16 + v[3]),
              static_cast<std::uint8_t>(v[4] * 16 + v[5])};
  return true;
}

Color Mix(Color a, Color b, int t) {
  t = Clamp(t, 0, kOne);
  return Color{static_cast<std::uint8_t>(Lerp(a.r, b.r, t, 15)),
               static_cast<std::uint8_t>(Lerp(a.g, b.g, t, 15)),
               static_cast<std::uint8_t>(Lerp(a.b, b.b, t, 15))};
}

Color Shade(Color c, int factor) {
  auto f = [factor](int v) {
    return static_cast<std::uint8_t>(Clamp((v * factor + kOne / 2) >> 15, 0, 255));
  };
  return Color{f(c.r), f(c.g), f(c.b)};
}

Px Premultiply(Color c, int alpha) {
  alpha = Clamp(alpha, 0, kOne);
  auto ch = [alpha](int v8) { return static_cast<std::uint16_t>((To15(v8) * alpha + kOne / 2) >> 15); };
  return Px{ch(c.r), ch(c.g), ch(c.b), static_cast<std::uint16_t>(alpha)};
}

void BlendOver(Px& d, Px s, int weight) {
  if (weight <= 0) return;
  if (weight < kOne) {
    s.r = static_cast<std::uint16_t>((s.r * weight + kOne / 2) >> 15);
    s.g = static_cast<std::uint16_t>((s.g * weight + kOne / 2) >> 15);
    s.b = static_cast<std::uint16_t>((s.b * weight + kOne / 2) >> 15);
    s.a = static_cast<std::uint16_t>((s.a * weight + kOne / 2) >> 15);
  }
  const int inv = kOne - s.a;
  d.r = static_cast<std::uint16_t>(s.r + ((d.r * inv + kOne / 2) >> 15));
  d.g = static_cast<std::uint16_t>(s.g + ((d.g * inv + kOne / 2) >> 15));
  d.b = static_cast<std::uint16_t>(s.b + ((d.b * inv + kOne / 2) >> 15));
  d.a = static_cast<std::uint16_t>(s.a + ((d.a * inv + kOne / 2) >> 15));
}

void Fill(Image& img, Color c) { std::fill(img.px.begin(), img.px.end(), Premultiply(c)); }

void PaintMask(Image& img, const Mask& m, int dx, int dy, Color c, int opacity) {
  const Px p = Premultiply(c);
  for (int y = std::max(0, dy); y < std::min(img.h, dy + m.h); ++y)
    for (int x = std::max(0, dx); x < std::min(img.w, dx + m.w); ++x) {
      const int cov = m.At(x - dx, y - dy);
      if (cov) BlendOver(img.At(x, y), p, (cov * opacity + kOne / 2) >> 15);
    }
}

void DrawImage(Image& dst, const Image& src, int dx, int dy, int opacity) {
  for (int y = std::max(0, dy); y < std::min(dst.h, dy + src.h); ++y)
    for (int x = std::max(0, dx); x < std::min(dst.w, dx + src.w); ++x) {
      const Px& s = src.At(x - dx, y - dy);
      if (s.a) BlendOver(dst.At(x, y), s, opacity);
    }
}

void ClipToMask(Image& img, const Mask& m) {
  for (std::size_t i = 0; i < img.px.size(); ++i) {
    const int cov = m.v[i];
    Px& p = img.px[i];
    p.r = static_cast<std::uint16_t>((p.r * cov + kOne / 2) >> 15);
    p.g = static_cast<std::uint16_t>((p.g * cov + kOne / 2) >> 15);
    p.b = static_cast<std::uint16_t>((p.b * cov + kOne / 2) >> 15);
    p.a = static_cast<std::uint16_t>((p.a * cov + kOne / 2) >> 15);
  }
}

Mask AlphaOf(const Image& img) {
  Mask m(img.w, img.h);
  for (std::size_t i = 0; i < img.px.size(); ++i) m.v[i] = img.px[i].a;
  return m;
}

Image Downsample2(const Image& img) {
  Image out(img.w / 2, img.h / 2);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x) {
      const Px& a = img.At(2 * x, 2 * y);
      const Px& b = img.At(2 * x + 1, 2 * y);
      const Px& c = img.At(2 * x, 2 * y + 1);
      const Px& d = img.At(2 * x + 1, 2 * y + 1);
      Px& o = out.At(x, y);
      o.r = static_cast<std::uint16_t>((a.r + b.r + c.r + d.r + 2) >> 2);
      o.g = static_cast<std::uint16_t>((a.g + b.g + c.g + d.g + 2) >> 2);
      o.b = static_cast<std::uint16_t>((a.b + b.b + c.b + d.b + 2) >> 2);
      o.a = static_cast<std::uint16_t>((a.a + b.a + c.a + d.a + 2) >> 2);
    }
  return out;
}

Mask Downsample2(const Mask& m) {
  Mask out(m.w / 2, m.h / 2);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x)
      out.At(x, y) = static_cast<std::uint16_t>((m.At(2 * x, 2 * y) + m.At(2 * x + 1, 2 * y) +
                                                 m.At(2 * x, 2 * y + 1) + m.At(2 * x + 1, 2 * y + 1) + 2) >>
                                                2);
  return out;
}

Mask Blur(const Mask& m, int radius) {
  if (radius <= 0 || m.w == 0 || m.h == 0) return m;
  std::vector<int> a(m.v.begin(), m.v.end()), b(a.size());
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(a, b, m.w, m.h, radius, true);
    BoxPass(b, a, m.w, m.h, radius, false);
  }
  Mask out(m.w, m.h);
  for (std::size_t i = 0; i < a.size(); ++i) out.v[i] = static_cast<std::uint16_t>(Clamp(a[i], 0, kOne));
  return out;
}

Mask Pad(const Mask& m, int border) {
  Mask out(m.w + 2 * border, m.h + 2 * border);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) out.At(x + border, y + border) = m.At(x, y);
  return out;
}

Mask Offset(const Mask& m, int dx, int dy) {
  Mask out(m.w, m.h);
  for (int y = 0; y < m.h; ++y)
    for (int x = 0; x < m.w; ++x) out.At(x, y) = static_cast<std::uint16_t>(m.Get(x - dx, y - dy));
  return out;
}

Mask Union(const Mask& a, const Mask& b) {
  Mask out(a.w, a.h);
  for (std::size_t i = 0; i < a.v.size(); ++i)
    out.v[i] = static_cast<std::uint16_t>(a.v[i] + b.v[i] - ((a.v[i] * b.v[i] + kOne / 2) >> 15));
  return out;
}

Mask Subtract(const Mask& a, const Mask& b) {
  Mask out(a.w, a.h);
  for (std::size_t i = 0; i < a.v.size(); ++i)
    out.v[i] = static_cast<std::uint16_t>((a.v[i] * (kOne - b.v[i]) + kOne / 2) >> 15);
  return out;
}

void ScaleMask(Mask& m, int factor) {
  for (auto& v : m.v)
    v = static_cast<std::uint16_t>(std::min<long long>(kOne, (static_cast<long long>(v) * factor) >> 15));
}

Encoded Encode(const Image& img) {
  Encoded e;
  e.w = img.w;
  e.h = img.h;
  e.rgb.resize(static_cast<std::size_t>(img.w) * img.h * 3);
  e.alpha.resize(static_cast<std::size_t>(img.w) * img.h);
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * img.w + x;
      const Px& p = img.px[i];
      const int bayer = kBayer[y & 3][x & 3];
      const int a8 = (p.a * 255 + kOne / 2) >> 15;
      // The alpha blit weighs by (grey >> 3); dither between those steps.
      int q = std::min(31, (a8 + (bayer >> 1)) >> 3);
      if (a8 >= 248) q = 31;
      if (q == 0) continue;  // invisible: black, alpha 0
      e.alpha[i] = static_cast<std::uint8_t>(q * 8 + (q >> 2));
      auto straight = [&p](int c) { return std::min(255, (c * 255 + p.a / 2) / p.a); };
      e.rgb[i * 3 + 0] = Quantise(straight(p.r), 31, bayer);
      e.rgb[i * 3 + 1] = Quantise(straight(p.g), 63, bayer);
      e.rgb[i * 3 + 2] = Quantise(straight(p.b), 31, bayer);
    }
  return e;
}

}  // namespace zelph::assetgen
