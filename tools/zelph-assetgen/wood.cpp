#include "wood.h"

#include <algorithm>

#include "effects.h"
#include "fixed_math.h"
#include "noise.h"
#include "shapes.h"

namespace zelph::assetgen {

WoodStyle HoneyWood() { return WoodStyle{{0xE6, 0xB8, 0x7A}, {0xB0, 0x74, 0x3A}, {0x7A, 0x48, 0x22}, 18, 3}; }
WoodStyle WalnutWood() {
  return WoodStyle{{0xA8, 0x6E, 0x3F}, {0x6E, 0x40, 0x20}, {0x45, 0x26, 0x12}, 26, 4};
}
WoodStyle OakWood() { return WoodStyle{{0xCF, 0x9C, 0x62}, {0x96, 0x60, 0x33}, {0x66, 0x3D, 0x1D}, 30, 3}; }

Image WoodTexture(int w, int h, const WoodStyle& style, std::uint32_t seed) {
  Image img(w, h);
  const std::int64_t ringStep = 65536 / std::max(1, style.ringSpacing);
  const int warpScale = style.warp * 65536 / 4;
  // The piece is cut from a random place of a larger trunk.
  const std::int64_t offX = static_cast<std::int64_t>(Hash32(seed) & 0xFFFF) << 8;
  const std::int64_t offY = static_cast<std::int64_t>(Hash32(seed ^ 0x5bd1e995u) & 0xFFF) << 8;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::int64_t fx = (static_cast<std::int64_t>(x) << 16) + offX;
      const std::int64_t fy = (static_cast<std::int64_t>(y) << 16) + offY;
      // Rings wander slowly along the grain and a little across it.
      const int warp = Fbm(fx / 240, fy / 60, 3, seed) - 32768;
      const std::int64_t t =
          (fy >> 16) * ringStep + ((static_cast<std::int64_t>(warp) * warpScale) >> 15) * 2;
      const int ring = static_cast<int>(t & 0xFFFF);
      // Early wood light, darkening towards the ring line, then a sharp return.
      const std::int64_t r3 = (static_cast<std::int64_t>(ring) * ring >> 16) * ring >> 16;  // ring^3, Q16
      const int fibre = ValueNoise(fx / 70, fy * 2 / 3, seed + 17);                         // streaks along x
      const int drift = Fbm(fx / 300, fy / 160, 2, seed + 29);
      int dark = static_cast<int>(r3 >> 1) * 11 / 20 + (fibre >> 1) * 6 / 20 + (drift >> 1) * 3 / 20;
      Color c = Mix(style.light, style.dark, dark);
      // Pores: short dark flecks where the fine noise peaks.
      const int pore = ValueNoise(fx / 9, fy * 3, seed + 43);
      if (pore > 60000) c = Mix(c, style.deep, (pore - 60000) * 5);
      img.At(x, y) = Premultiply(c);
    }
  return img;
}

Image PlankBoard(int w, int h, int radius, int plankHeight, int bevel, const WoodStyle& style,
                 std::uint32_t seed) {
  Image board(w, h);
  const Mask outline = RoundedRectMask(w, h, 0, 0, w, h, radius);
  Mask height(w, h);
  const int planks = std::max(1, h / std::max(1, plankHeight));
  for (int i = 0; i < planks; ++i) {
    const int y0 = i * h / planks;
    const int ph = (i + 1) * h / planks - y0;
    // Each plank is its own rounded piece (worked on in a band of its own height); the grooves between
    // planks come from their bevels.
    Mask plank = RoundedRectMask(w, ph, 0, 0, w, ph, std::min(3, ph / 4));
    for (int y = 0; y < ph; ++y)
      for (int x = 0; x < w; ++x)
        plank.At(x, y) =
            static_cast<std::uint16_t>((plank.At(x, y) * outline.At(x, y0 + y) + kOne / 2) >> 15);
    const Image wood = WoodTexture(w, ph, style, seed + static_cast<std::uint32_t>(i) * 7919u);
    // A slight shift of tone between planks.
    const int tone = kOne - 1200 + static_cast<int>(Hash32(seed + i) % 2400);
    const Mask bevelled = BevelHeight(plank, bevel);
    for (int y = 0; y < ph; ++y)
      for (int x = 0; x < w; ++x) {
        const int cov = plank.At(x, y);
        if (!cov) continue;
        Px p = wood.At(x, y);
        p.r = static_cast<std::uint16_t>(std::min(kOne, (p.r * tone) >> 15));
        p.g = static_cast<std::uint16_t>(std::min(kOne, (p.g * tone) >> 15));
        p.b = static_cast<std::uint16_t>(std::min(kOne, (p.b * tone) >> 15));
        BlendOver(board.At(x, y0 + y), p, cov);
        height.At(x, y0 + y) = std::max(height.At(x, y0 + y), bevelled.At(x, y));
      }
  }
  // Seams: the board behind the planks shows dark.
  Image back(w, h);
  Fill(back, style.deep);
  ClipToMask(back, outline);
  DrawImage(back, board, 0, 0);
  ApplyShade(back, LightFromTopLeft(height, kOne / 2));
  return back;
}

}  // namespace zelph::assetgen
