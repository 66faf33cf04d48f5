#include "rope.h"

#include <algorithm>
#include <cstdlib>

#include "fixed_math.h"
#include "noise.h"
#include "shapes.h"

namespace zelph::assetgen {

Image VerticalRope(int w, int h, std::uint32_t seed) {
  const Color light{0xE3, 0xC6, 0x8C};
  const Color mid{0xB4, 0x8E, 0x55};
  const Color dark{0x5E, 0x44, 0x24};
  Image img(w, h);
  const int cx = w * kSub / 2;
  const int radius = (w - 2) * kSub / 2;
  // Strands run diagonally: one full strand every `period` pixels along the rope.
  const int period = std::max(4, w * 3 / 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int px = x * kSub + kSub / 2;
      const int cov = CoverageFromDistance(std::abs(px - cx) - radius);
      if (!cov) continue;
      // Position across the rope, -kOne (left edge) .. kOne (right edge).
      const int across =
          Clamp(static_cast<int>((static_cast<std::int64_t>(px - cx) * kOne) / radius), -kOne, kOne);
      // Roundness: the surface turns away at both edges.
      const int depth =
          static_cast<int>(ISqrt(static_cast<std::uint64_t>(kOne) * kOne -
                                 static_cast<std::uint64_t>(static_cast<std::int64_t>(across) * across)));
      // Twist: the strand phase moves with y and with the position across (a helix seen from the side).
      const std::int64_t u =
          static_cast<std::int64_t>(y) * 65536 / period + (static_cast<std::int64_t>(across) * 2 / 3);
      const int phase = static_cast<int>(u & 0xFFFF);
      // Strand body bright in its middle, grooves dark between strands.
      const int strand = SinQ15(static_cast<std::uint32_t>(phase) << 15);  // half a sine per strand, >= 0
      const int fibre =
          ValueNoise(static_cast<std::int64_t>(x) << 15, static_cast<std::int64_t>(y) << 17, seed) - 32768;
      // Strand bodies are lit, grooves between them dark; the rope darkens as its surface turns away, more
      // on the right (light from the left).
      const int body = kOne * 2 / 5 + strand * 3 / 5;
      const int round = kOne / 5 + ((depth * depth) >> 15) * 4 / 5;
      int lightness =
          static_cast<int>((static_cast<std::int64_t>(body) * round) >> 15) - across / 10 + fibre / 12;
      lightness = Clamp(lightness, 0, kOne);
      Color c =
          lightness < kOne / 2 ? Mix(dark, mid, lightness * 2) : Mix(mid, light, (lightness - kOne / 2) * 2);
      img.At(x, y) = Premultiply(c, cov);
    }
  return img;
}

}  // namespace zelph::assetgen
