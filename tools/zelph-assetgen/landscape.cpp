#include "landscape.h"

#include <algorithm>
#include <vector>

#include "fixed_math.h"
#include "noise.h"
#include "shapes.h"

namespace zelph::assetgen {

namespace {

// Top of a range of hills at column x: base line plus rolling noise, in 1/256 px.
int Ridge(int x, int w, int base, int amplitude, int wavelength, int octaves, std::uint32_t seed) {
  const std::int64_t fx = (static_cast<std::int64_t>(x) << 16) * 640 / std::max(1, w) / wavelength;
  const int n = Fbm1(fx, octaves, seed);
  return base * kSub - static_cast<int>((static_cast<std::int64_t>(n) * amplitude * kSub) >> 16);
}

// A layer of land below its ridge, with colour darkening towards the bottom and a little texture.
void LandLayer(Image& img, const std::vector<int>& ridge, Color top, Color bottom, int texture,
               std::uint32_t seed) {
  for (int x = 0; x < img.w; ++x) {
    const int r = ridge[x];
    for (int y = std::max(0, r / kSub - 1); y < img.h; ++y) {
      const int cov = CoverageFromDistance(r - (y * kSub + kSub / 2));
      if (!cov) continue;
      const int depth = Clamp((y * kSub - r) / kSub * kOne / std::max(1, img.h - r / kSub), 0, kOne);
      Color c = Mix(top, bottom, depth);
      if (texture) {
        const int n =
            Fbm((static_cast<std::int64_t>(x) << 16) / 18, (static_cast<std::int64_t>(y) << 16) / 6, 2, seed);
        c = Shade(c, kOne + (n - 32768) * texture / 100);
      }
      BlendOver(img.At(x, y), Premultiply(c), cov);
    }
  }
}

void Disc(Mask& m, int cx, int cy, int r) {
  DrawCapsule(m, cx * kSub, cy * kSub, cx * kSub, cy * kSub, r * kSub);
}

}  // namespace

Image Landscape(int w, int h, int horizon, std::uint32_t seed) {
  Image img(w, h);
  const int horizonY = h * horizon / 100;
  const Color zenith{0x4A, 0x8C, 0xC4};
  const Color skyMid{0x96, 0xC6, 0xE2};
  const Color haze{0xF6, 0xE4, 0xC0};
  // Sky: deep blue overhead, fading to a warm haze at the horizon.
  for (int y = 0; y < h; ++y) {
    const int t = Clamp(y * kOne / std::max(1, horizonY), 0, kOne);
    const Color c =
        t < kOne * 2 / 3 ? Mix(zenith, skyMid, t * 3 / 2) : Mix(skyMid, haze, (t - kOne * 2 / 3) * 3);
    for (int x = 0; x < w; ++x) img.At(x, y) = Premultiply(c);
  }
  // The sun's glow, in the upper right.
  const int sunX = w * 78 / 100, sunY = h * 22 / 100, glowR = w * 30 / 100;
  for (int y = std::max(0, sunY - glowR); y < std::min(h, sunY + glowR); ++y)
    for (int x = std::max(0, sunX - glowR); x < std::min(w, sunX + glowR); ++x) {
      const int d = static_cast<int>(
          ISqrt(static_cast<std::uint64_t>((x - sunX) * (x - sunX) + (y - sunY) * (y - sunY))));
      if (d >= glowR) continue;
      const int t = kOne - d * kOne / glowR;
      BlendOver(img.At(x, y), Premultiply(Color{0xFF, 0xF4, 0xD6}), (t * t >> 15) * 3 / 4);
    }
  Mask sun(w, h);
  Disc(sun, sunX, sunY, w * 4 / 100);
  PaintMask(img, sun, 0, 0, Color{0xFF, 0xFB, 0xEC}, kOne * 9 / 10);
  // Clouds: soft banks of noise, thinning towards the horizon.
  for (int y = 0; y < horizonY; ++y)
    for (int x = 0; x < w; ++x) {
      const std::int64_t fx = (static_cast<std::int64_t>(x) << 16) * 640 / w;
      const std::int64_t fy = (static_cast<std::int64_t>(y) << 16) * 640 / w;
      const int n = Fbm(fx / 190, fy / 55, 4, seed + 101);
      const int fade = Clamp((horizonY - y) * kOne / std::max(1, horizonY / 2), 0, kOne);
      int density = Clamp((n - 36000) * 3, 0, kOne);
      density = (density * fade) >> 15;
      if (!density) continue;
      // Lit tops, a touch of grey underneath.
      const int under = Fbm(fx / 190, (fy + (6 << 16)) / 55, 4, seed + 101);
      const Color c = under > n ? Color{0xFF, 0xFF, 0xFC} : Color{0xE4, 0xEA, 0xF0};
      BlendOver(img.At(x, y), Premultiply(c), density * 4 / 5);
    }
  std::vector<int> ridge(w);
  // Far mountains, pale with distance.
  for (int x = 0; x < w; ++x) ridge[x] = Ridge(x, w, horizonY + h / 40, h / 6, 150, 5, seed + 7);
  LandLayer(img, ridge, Color{0x9C, 0xB4, 0xC4}, Color{0xB8, 0xC8, 0xC8}, 0, seed);
  // Rolling hills, nearer and greener, with trees along their crest.
  for (int x = 0; x < w; ++x) ridge[x] = Ridge(x, w, horizonY + h / 9, h / 10, 180, 4, seed + 11);
  LandLayer(img, ridge, Color{0x9C, 0xC0, 0x78}, Color{0x7A, 0xA4, 0x5E}, 4, seed + 12);
  Rng rng(seed + 13);
  Mask crowns(w, h), lit(w, h);
  for (int i = 0; i < w / 22; ++i) {
    const int tx = rng.Range(0, w - 1);
    const int r = rng.Range(h / 90, h / 50) + 1;
    const int ty = ridge[tx] / kSub - r / 2;
    Disc(crowns, tx, ty, r);
    Disc(lit, tx - r / 3, ty - r / 3, r * 2 / 3);
  }
  PaintMask(img, crowns, 0, 0, Color{0x5E, 0x8A, 0x4C});
  PaintMask(img, lit, 0, 0, Color{0x78, 0xA2, 0x5C}, kOne / 2);
  for (int x = 0; x < w; ++x) ridge[x] = Ridge(x, w, horizonY + h / 4, h / 12, 260, 3, seed + 21);
  LandLayer(img, ridge, Color{0x78, 0xA8, 0x58}, Color{0x4E, 0x80, 0x3E}, 6, seed + 22);
  for (int x = 0; x < w; ++x) ridge[x] = Ridge(x, w, h - h / 14, h / 16, 320, 3, seed + 31);
  LandLayer(img, ridge, Color{0x5C, 0x90, 0x44}, Color{0x3A, 0x66, 0x30}, 8, seed + 32);
  return img;
}

}  // namespace zelph::assetgen
