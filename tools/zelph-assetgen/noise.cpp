#include "noise.h"

#include "fixed_math.h"

namespace zelph::assetgen {

int ValueNoise(std::int64_t x, std::int64_t y, std::uint32_t seed) {
  const std::int64_t ix = x >> 16;
  const std::int64_t iy = y >> 16;
  const int sx = SmoothQ16(static_cast<int>(x & 0xFFFF));
  const int sy = SmoothQ16(static_cast<int>(y & 0xFFFF));
  auto corner = [seed](std::int64_t cx, std::int64_t cy) {
    return static_cast<int>(Hash2(static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(cy), seed) >>
                            16);
  };
  const int top = Lerp(corner(ix, iy), corner(ix + 1, iy), sx, 16);
  const int bottom = Lerp(corner(ix, iy + 1), corner(ix + 1, iy + 1), sx, 16);
  return Lerp(top, bottom, sy, 16);
}

int Fbm(std::int64_t x, std::int64_t y, int octaves, std::uint32_t seed) {
  std::int64_t sum = 0;
  std::int64_t weight = 1 << 16;
  std::int64_t total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 0x9E3779B9u) * weight;
    total += weight;
    weight >>= 1;
    // Offset every octave a little so the lattices do not line up.
    x = x * 2 + 0x3A7F1;
    y = y * 2 + 0x1C5E3;
  }
  return static_cast<int>(sum / total);
}

}  // namespace zelph::assetgen
