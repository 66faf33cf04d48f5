#include "scenes.h"

#include <algorithm>
#include <array>

#include "fixed_math.h"
#include "landscape.h"
#include "noise.h"
#include "shapes.h"

namespace zelph::assetgen {

namespace {

Color Channels(const Px& p) {
  return Color{static_cast<std::uint8_t>(std::min(255, p.r >> 7)), static_cast<std::uint8_t>(std::min(255, p.g >> 7)),
               static_cast<std::uint8_t>(std::min(255, p.b >> 7))};
}

// Every pixel through a colour mapping (the picture is opaque, so premultiplied is plain colour).
template <typename F>
void Recolour(Image& img, F f) {
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      Px& p = img.At(x, y);
      p = Premultiply(f(Channels(p), x, y));
    }
}

int Luma(Color c) { return (c.r * 77 + c.g * 150 + c.b * 29) >> 8; }
// How green a pixel is (foliage), Q15.
int Greenness(Color c) { return Clamp((c.g - std::max(c.r, c.b)) * kOne / 48, 0, kOne); }

void Stars(Image& img, int count, int belowY, std::uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const int x = rng.Range(0, img.w - 1), y = rng.Range(0, std::max(1, belowY) - 1);
    const int r = rng.Range(0, 5) == 0 ? 2 : 1;
    Mask m(img.w, img.h);
    DrawCapsule(m, x * kSub, y * kSub, x * kSub, y * kSub, r * kSub / 2 + 64);
    PaintMask(img, m, 0, 0, Color{0xFF, 0xF8, 0xE0}, kOne * rng.Range(50, 100) / 100);
  }
}

void Disc(Image& img, int cx, int cy, int r, Color c, int opacity = kOne) {
  Mask m(img.w, img.h);
  DrawCapsule(m, cx * kSub, cy * kSub, cx * kSub, cy * kSub, r * kSub);
  PaintMask(img, m, 0, 0, c, opacity);
}

// Landscapes in other lights and seasons.
Image Dusk(int w, int h, int horizon, std::uint32_t seed) {
  Image img = Landscape(w, h, horizon, seed);
  const int hy = h * horizon / 100;
  Recolour(img, [&](Color c, int, int y) {
    const Color sky = Mix(Color{0x3A, 0x2A, 0x6A}, Color{0xFF, 0x8A, 0x3C}, Clamp(y * kOne / std::max(1, hy), 0, kOne));
    return y < hy ? Mix(c, sky, kOne * 3 / 4) : Shade(Mix(c, Color{0x8A, 0x4A, 0x3A}, kOne / 3), kOne * 3 / 4);
  });
  Disc(img, w / 4, hy - h / 20, h / 12, Color{0xFF, 0xD0, 0x60});
  return img;
}

Image Night(int w, int h, int horizon, std::uint32_t seed) {
  Image img = Landscape(w, h, horizon, seed);
  const int hy = h * horizon / 100;
  Recolour(img, [&](Color c, int, int y) {
    const Color blue{0x10, 0x1C, 0x48};
    return y < hy ? Mix(c, blue, kOne * 7 / 8) : Mix(Shade(c, kOne / 3), blue, kOne / 3);
  });
  Stars(img, w * h / 900, hy, seed + 3);
  Disc(img, w * 3 / 4, h / 6, h / 14, Color{0xF4, 0xF0, 0xD8});
  Disc(img, w * 3 / 4 + h / 40, h / 6 - h / 60, h / 16, Color{0x10, 0x1C, 0x48});
  return img;
}

Image Winter(int w, int h, int horizon, std::uint32_t seed) {
  Image img = Landscape(w, h, horizon, seed);
  Recolour(img, [&](Color c, int, int) {
    const int g = Greenness(c);
    const Color snow = Mix(Color{0xD8, 0xE4, 0xF0}, Color{0xFF, 0xFF, 0xFF}, Luma(c) * kOne / 255);
    return Mix(Mix(c, Color{0xC8, 0xD4, 0xE4}, kOne / 3), snow, g);
  });
  Rng rng(seed + 5);
  for (int i = 0; i < w * h / 700; ++i) Disc(img, rng.Range(0, w - 1), rng.Range(0, h - 1), 1, Color{0xFF, 0xFF, 0xFF}, kOne * 3 / 4);
  return img;
}

Image Autumn(int w, int h, int horizon, std::uint32_t seed) {
  Image img = Landscape(w, h, horizon, seed);
  Recolour(img, [&](Color c, int x, int y) {
    const int g = Greenness(c);
    const int n = Fbm(static_cast<std::int64_t>(x) << 12, static_cast<std::int64_t>(y) << 12, 2, seed + 9);
    const Color leaf = Mix(Color{0xC8, 0x4A, 0x1A}, Color{0xF0, 0xB0, 0x30}, n / 2);
    return Mix(c, Shade(leaf, kOne * (128 + Luma(c)) / 384), g);
  });
  return img;
}

Image Spring(int w, int h, int horizon, std::uint32_t seed) {
  Image img = Landscape(w, h, horizon, seed);
  const int hy = h * horizon / 100;
  // Fresh young grass under a paler sky.
  Recolour(img, [&](Color c, int, int y) {
    return y < hy ? Mix(c, Color{0xE8, 0xF0, 0xFF}, kOne / 3) : Mix(c, Color{0xA8, 0xE0, 0x50}, Greenness(c) * 3 / 4);
  });
  Rng rng(seed + 17);
  const std::array<Color, 4> petals = {Color{0xFF, 0x70, 0xA0}, Color{0xFF, 0xF0, 0x60}, Color{0xFF, 0xFF, 0xFF},
                                       Color{0xB0, 0x80, 0xFF}};
  for (int i = 0; i < w * h / 500; ++i) {
    const int y = rng.Range(hy + h / 8, h - 1);
    Disc(img, rng.Range(0, w - 1), y, 1 + (y - hy) * 3 / std::max(1, h - hy), petals[static_cast<std::size_t>(i) % 4]);
  }
  return img;
}

Image Storm(int w, int h, int horizon, std::uint32_t seed) {
  Image img = Landscape(w, h, horizon, seed);
  const int hy = h * horizon / 100;
  Recolour(img, [&](Color c, int x, int y) {
    if (y >= hy) return Shade(Mix(c, Color{0x40, 0x50, 0x48}, kOne / 3), kOne * 2 / 3);
    const int n = Fbm(static_cast<std::int64_t>(x) << 9, static_cast<std::int64_t>(y) << 10, 4, seed + 23);
    return Mix(Color{0x30, 0x34, 0x40}, Color{0x9A, 0xA0, 0xAC}, n / 2);
  });
  // A fork of lightning.
  Rng rng(seed + 29);
  Mask bolt(w, h);
  int x = w * 2 / 3, y = 0;
  while (y < hy) {
    const int nx = x + rng.Range(-w / 30, w / 30), ny = y + h / 20;
    DrawCapsule(bolt, x * kSub, y * kSub, nx * kSub, ny * kSub, kSub);
    x = nx;
    y = ny;
  }
  PaintMask(img, Blur(bolt, 3), 0, 0, Color{0xC0, 0xD0, 0xFF});
  PaintMask(img, bolt, 0, 0, Color{0xFF, 0xFF, 0xFF});
  return img;
}

// A sky fading from `zenith` down to `low` at the horizon row `hy`, and below it what `ground` paints.
template <typename F>
Image SkyOver(int w, int h, int hy, Color zenith, Color low, F ground) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.At(x, y) = Premultiply(y < hy ? Mix(zenith, low, y * kOne / std::max(1, hy)) : ground(x, y));
  return img;
}

// Dunes under a hot sky.
Image Desert(int w, int h, int horizon, std::uint32_t seed) {
  const int hy = h * horizon / 100;
  Image img = SkyOver(w, h, hy, Color{0x3C, 0x8C, 0xD8}, Color{0xF8, 0xE8, 0xB8}, [&](int x, int y) {
    // Ridges a few to the width, running slantwise, bent by noise.
    const std::int64_t turns = (static_cast<std::int64_t>(x) * 4 + (y - hy) * 14) * 0x100000000LL / std::max(1, w);
    const int wave = SinQ15(static_cast<std::uint32_t>(turns) +
                            (static_cast<std::uint32_t>(Fbm(static_cast<std::int64_t>(x) << 9, 0, 3, seed)) << 15));
    const Color c = Mix(Color{0xE8, 0xB0, 0x60}, Color{0xB8, 0x70, 0x30}, (kOne + wave) / 2);
    return Shade(c, kOne * 3 / 4 + (y - hy) * kOne / 4 / std::max(1, h - hy));
  });
  Disc(img, w / 5, h / 6, h / 11, Color{0xFF, 0xF8, 0xD0});
  return img;
}

// The sea: sky, the sun low, glittering water.
Image Sea(int w, int h, int horizon, std::uint32_t seed) {
  const int hy = h * horizon / 100;
  Image img = SkyOver(w, h, hy, Color{0x58, 0xA0, 0xE0}, Color{0xE8, 0xF4, 0xFF}, [&](int x, int y) {
    const int n = Fbm(static_cast<std::int64_t>(x) << 11, static_cast<std::int64_t>(y - hy) << 13, 3, seed);
    const Color c = Mix(Color{0x20, 0x70, 0xA8}, Color{0x0C, 0x30, 0x60}, (y - hy) * kOne / std::max(1, h - hy));
    return n > 44000 ? Mix(c, Color{0xE0, 0xF4, 0xFF}, (n - 44000) * 3) : c;
  });
  Disc(img, w / 2, hy - h / 30, h / 10, Color{0xFF, 0xF0, 0xC0});
  // A little sailing boat.
  Mask sail(w, h);
  const int bx = w / 4, by = hy + h / 12;
  const int corners[] = {bx * kSub, (by - h / 7) * kSub, (bx + w / 20) * kSub, by * kSub, bx * kSub, by * kSub};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      sail.At(x, y) = static_cast<std::uint16_t>(CoverageFromDistance(PolygonDistance(x * kSub + 128, y * kSub + 128, corners, 3)));
  PaintMask(img, sail, 0, 0, Color{0xFF, 0xFF, 0xF4});
  Mask hull(w, h);
  DrawCapsule(hull, (bx - w / 30) * kSub, (by + 4) * kSub, (bx + w / 16) * kSub, (by + 4) * kSub, 3 * kSub);
  PaintMask(img, hull, 0, 0, Color{0x8A, 0x3A, 0x1A});
  return img;
}

// Patterns: a palette of two to four colours laid out by a rule per pixel.
using Palette = std::array<Color, 4>;

Image Pattern(int w, int h, const Palette& p, std::uint32_t seed, int (*rule)(int, int, int, int, std::uint32_t)) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int v = rule(x, y, w, h, seed);  // 0 .. 4 * kOne: which colours, and how far between them
      const int i = Clamp(v >> 15, 0, 3), t = v & (kOne - 1);
      img.At(x, y) = Premultiply(Mix(p[static_cast<std::size_t>(i)], p[static_cast<std::size_t>(std::min(3, i + 1))], t));
    }
  return img;
}

int CheckerRule(int x, int y, int w, int, std::uint32_t) {
  const int cell = std::max(8, w / 16);
  const int i = ((x / cell) + (y / cell)) % 2 * 2;
  const int edge = std::min({x % cell, y % cell, cell - 1 - x % cell, cell - 1 - y % cell});
  return i * kOne + (edge < 3 ? kOne / 2 : 0);
}
int StripeRule(int x, int y, int w, int, std::uint32_t) {
  const int band = std::max(8, w / 20);
  const int d = (x + y) % (band * 3);
  return (d / band) * kOne + (d % band) * kOne / band / 3;
}
int RingRule(int x, int y, int w, int h, std::uint32_t) {
  const int dx = x - w / 2, dy = y - h / 2;
  const int r = static_cast<int>(ISqrt(static_cast<std::uint64_t>(dx * dx + dy * dy)));
  const int band = std::max(6, w / 24);
  const int phase = r % (band * 4);
  return phase * kOne / band;
}
int MosaicRule(int x, int y, int w, int, std::uint32_t seed) {
  const int cell = std::max(6, w / 22);
  // The nearest of a few jittered centres decides the tile.
  int best = 1 << 30;
  std::uint32_t tile = 0;
  for (int gy = y / cell - 1; gy <= y / cell + 1; ++gy)
    for (int gx = x / cell - 1; gx <= x / cell + 1; ++gx) {
      const std::uint32_t hsh = Hash2(static_cast<std::uint32_t>(gx), static_cast<std::uint32_t>(gy), seed);
      const int cx = gx * cell + static_cast<int>(hsh % static_cast<std::uint32_t>(cell));
      const int cy = gy * cell + static_cast<int>((hsh >> 8) % static_cast<std::uint32_t>(cell));
      const int d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      if (d < best) {
        best = d;
        tile = hsh;
      }
    }
  return static_cast<int>((tile >> 16) % 4) * kOne;
}
int MarbleRule(int x, int y, int w, int, std::uint32_t seed) {
  const int n = Fbm(static_cast<std::int64_t>(x) << 10, static_cast<std::int64_t>(y) << 10, 5, seed);
  const int s = SinQ15(static_cast<std::uint32_t>(x * 0x2000000LL / std::max(1, w) * 6) + static_cast<std::uint32_t>(n) * 0x18000u);
  return Clamp((kOne + s) * 3 / 2, 0, 3 * kOne);
}
int WaveRule(int x, int y, int w, int h, std::uint32_t) {
  const int s = SinQ15(static_cast<std::uint32_t>(x * 0x100000000LL * 3 / std::max(1, w)));
  const int yy = y + static_cast<int>((static_cast<std::int64_t>(s) * h / 16) >> 15);
  const int band = std::max(6, h / 12);
  return ((yy % (band * 4) + band * 4) % (band * 4)) * kOne / band;
}
int DotRule(int x, int y, int w, int, std::uint32_t) {
  const int cell = std::max(8, w / 14);
  const int row = y / cell;
  const int cx = (x + (row % 2) * cell / 2) % cell - cell / 2, cy = y % cell - cell / 2;
  const int d = static_cast<int>(ISqrt(static_cast<std::uint64_t>(cx * cx + cy * cy)));
  return d < cell / 3 ? 2 * kOne + (row % 2) * kOne : Clamp(d * kOne / cell, 0, kOne - 1);
}
int BrickRule(int x, int y, int w, int, std::uint32_t seed) {
  const int bh = std::max(6, w / 32), bw = bh * 2;
  const int row = y / bh;
  const int xs = x + (row % 2) * bw / 2;
  if (y % bh < 2 || xs % bw < 2) return 3 * kOne;
  return static_cast<int>(Hash2(static_cast<std::uint32_t>(xs / bw), static_cast<std::uint32_t>(row), seed) % 3) * kOne / 2 + kOne / 4;
}

Image Aurora(int w, int h, std::uint32_t seed) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Color c = Mix(Color{0x04, 0x0C, 0x24}, Color{0x10, 0x30, 0x40}, y * kOne / h);
      const int n = Fbm(static_cast<std::int64_t>(x) << 9, 0, 3, seed);
      const int centre = h / 3 + static_cast<int>((static_cast<std::int64_t>(n - 32768) * h / 3) >> 16);
      const int d = std::abs(y - centre);
      const int band = h / 8;
      if (d < band) c = Mix(c, y < centre ? Color{0x40, 0xFF, 0xA0} : Color{0xA0, 0x60, 0xFF}, (band - d) * kOne / band * 3 / 4);
      img.At(x, y) = Premultiply(c);
    }
  Stars(img, w * h / 800, h, seed + 1);
  // Dark hills along the bottom.
  for (int x = 0; x < w; ++x) {
    const int top = h - h / 8 - (Fbm1(static_cast<std::int64_t>(x) << 9, 3, seed + 2) * (h / 10) >> 16);
    for (int y = std::max(0, top); y < h; ++y) img.At(x, y) = Premultiply(Color{0x06, 0x0A, 0x10});
  }
  return img;
}

Image Galaxy(int w, int h, std::uint32_t seed) {
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int n = Fbm(static_cast<std::int64_t>(x) << 10, static_cast<std::int64_t>(y) << 10, 5, seed);
      const int m = Fbm(static_cast<std::int64_t>(x) << 10, static_cast<std::int64_t>(y) << 10, 4, seed + 7);
      Color c = Mix(Color{0x08, 0x04, 0x18}, Color{0x80, 0x20, 0x90}, Clamp((n - 30000) * 3, 0, kOne));
      c = Mix(c, Color{0x20, 0x80, 0xC0}, Clamp((m - 38000) * 3, 0, kOne) / 2);
      img.At(x, y) = Premultiply(c);
    }
  Stars(img, w * h / 400, h, seed + 3);
  return img;
}

struct Style {
  std::string_view name;
  int kind;  // 0 landscape-based, 1 sky-based, 2 pattern
};
constexpr std::array<std::string_view, 20> kStyles = {
    "meadow", "dusk",   "night",   "winter", "autumn", "spring", "storm", "desert", "sea",   "aurora",
    "galaxy", "checker", "stripes", "rings", "mosaic", "marble", "waves", "dots",   "bricks", "sunrise"};

}  // namespace

bool IsSceneStyle(std::string_view style) {
  return std::find(kStyles.begin(), kStyles.end(), style) != kStyles.end();
}

Image Scene(std::string_view style, int w, int h, int horizon, std::uint32_t seed) {
  if (style == "dusk") return Dusk(w, h, horizon, seed);
  if (style == "night") return Night(w, h, horizon, seed);
  if (style == "winter") return Winter(w, h, horizon, seed);
  if (style == "autumn") return Autumn(w, h, horizon, seed);
  if (style == "spring") return Spring(w, h, horizon, seed);
  if (style == "storm") return Storm(w, h, horizon, seed);
  if (style == "desert") return Desert(w, h, horizon, seed);
  if (style == "sea") return Sea(w, h, horizon, seed);
  if (style == "aurora") return Aurora(w, h, seed);
  if (style == "galaxy") return Galaxy(w, h, seed);
  if (style == "sunrise") {
    Image img = Sea(w, h, horizon, seed);
    Recolour(img, [&](Color c, int, int y) { return Mix(c, Color{0xFF, 0x90, 0xA0}, Clamp(kOne / 2 - y * kOne / 2 / h, 0, kOne)); });
    return img;
  }
  if (style == "checker") return Pattern(w, h, {Color{0xF0, 0x50, 0x40}, Color{0xFF, 0xE0, 0xD0}, Color{0x30, 0x70, 0xD0}, Color{0xD0, 0xE0, 0xFF}}, seed, CheckerRule);
  if (style == "stripes") return Pattern(w, h, {Color{0xFF, 0xD0, 0x40}, Color{0xF0, 0x60, 0x90}, Color{0x50, 0xB0, 0xE0}, Color{0x50, 0xB0, 0xE0}}, seed, StripeRule);
  if (style == "rings") return Pattern(w, h, {Color{0x80, 0x30, 0xC0}, Color{0xF0, 0x60, 0x30}, Color{0xFF, 0xE0, 0x40}, Color{0x40, 0xC0, 0x80}}, seed, RingRule);
  if (style == "mosaic") return Pattern(w, h, {Color{0x20, 0x8C, 0x9C}, Color{0xE8, 0xC4, 0x60}, Color{0xC8, 0x50, 0x38}, Color{0x38, 0x40, 0x80}}, seed, MosaicRule);
  if (style == "marble") return Pattern(w, h, {Color{0xF4, 0xF0, 0xE8}, Color{0xC0, 0xB8, 0xB0}, Color{0x50, 0x70, 0x68}, Color{0x20, 0x30, 0x30}}, seed, MarbleRule);
  if (style == "waves") return Pattern(w, h, {Color{0x10, 0x50, 0x90}, Color{0x30, 0xA0, 0xD0}, Color{0xC0, 0xF0, 0xFF}, Color{0x30, 0xA0, 0xD0}}, seed, WaveRule);
  if (style == "dots") return Pattern(w, h, {Color{0xFF, 0xF0, 0xC8}, Color{0xF8, 0xD8, 0xA0}, Color{0xE0, 0x30, 0x50}, Color{0x20, 0x90, 0x60}}, seed, DotRule);
  if (style == "bricks") return Pattern(w, h, {Color{0xB0, 0x48, 0x30}, Color{0xD0, 0x70, 0x48}, Color{0x90, 0x38, 0x28}, Color{0xD8, 0xCC, 0xB8}}, seed, BrickRule);
  return Landscape(w, h, horizon, seed);
}

}  // namespace zelph::assetgen
