// Lighting and shadows: bevels from height fields, drop shadows, glows.
#pragma once

#include <vector>

#include "raster.h"

namespace zelph::assetgen {

// Light from the top left over a height field (coverage used as height): for each pixel a signed shade in
// Q15, positive where the surface faces the light. `strength` scales it (kOne: a full step of height
// across two pixels gives full light).
std::vector<int> LightFromTopLeft(const Mask& height, int strength);
// Brightens (towards white) or darkens each pixel by its shade.
void ApplyShade(Image& img, const std::vector<int>& shade);

// The height profile of a shape for a bevel `width` pixels wide: 0 outside, rising to kOne inside.
Mask BevelHeight(const Mask& shape, int width);

// A soft shadow of `shape` moved by (dx, dy), blurred, weighted by opacity (Q15); same size as shape.
Mask SoftShadow(const Mask& shape, int dx, int dy, int blur, int opacity);

}  // namespace zelph::assetgen
