#include "effects.h"

#include <algorithm>

#include "fixed_math.h"

namespace zelph::assetgen {

std::vector<int> LightFromTopLeft(const Mask& height, int strength) {
  std::vector<int> shade(height.v.size(), 0);
  for (int y = 0; y < height.h; ++y)
    for (int x = 0; x < height.w; ++x) {
      // Slope along the light direction (down-right): lit where the surface rises towards the light.
      const int slope = height.Get(x + 1, y + 1) - height.Get(x - 1, y - 1) +
                        (height.Get(x + 1, y) - height.Get(x - 1, y)) / 2 +
                        (height.Get(x, y + 1) - height.Get(x, y - 1)) / 2;
      shade[static_cast<std::size_t>(y) * height.w + x] =
          Clamp(static_cast<int>((static_cast<long long>(slope) * strength) >> 15), -kOne, kOne);
    }
  return shade;
}

void ApplyShade(Image& img, const std::vector<int>& shade) {
  for (std::size_t i = 0; i < img.px.size(); ++i) {
    Px& p = img.px[i];
    const int s = shade[i];
    if (s > 0) {
      p.r = static_cast<std::uint16_t>(p.r + (((p.a - p.r) * s) >> 15));
      p.g = static_cast<std::uint16_t>(p.g + (((p.a - p.g) * s) >> 15));
      p.b = static_cast<std::uint16_t>(p.b + (((p.a - p.b) * s) >> 15));
    } else if (s < 0) {
      p.r = static_cast<std::uint16_t>((p.r * (kOne + s)) >> 15);
      p.g = static_cast<std::uint16_t>((p.g * (kOne + s)) >> 15);
      p.b = static_cast<std::uint16_t>((p.b * (kOne + s)) >> 15);
    }
  }
}

Mask BevelHeight(const Mask& shape, int width) {
  // Blurring the shape softens its edge into a slope; keeping it under the shape keeps the outline crisp.
  Mask blurred = Blur(shape, std::max(1, width / 2));
  Mask out(shape.w, shape.h);
  for (std::size_t i = 0; i < shape.v.size(); ++i) {
    // Stretch so the plateau is flat: inner half of the blur reaches full height.
    const int v = std::min(kOne, blurred.v[i] * 2 - kOne / 2);
    out.v[i] = static_cast<std::uint16_t>(std::min<int>(shape.v[i], std::max(0, v)));
  }
  return out;
}

Mask SoftShadow(const Mask& shape, int dx, int dy, int blur, int opacity) {
  Mask m = Blur(Offset(shape, dx, dy), blur);
  ScaleMask(m, opacity);
  return m;
}

}  // namespace zelph::assetgen
