// Hanging rope: three twisted strands, lit from the left, with soft edges.
#pragma once

#include <cstdint>

#include "raster.h"

namespace zelph::assetgen {

// A vertical rope w pixels wide and h long (the rope fills the width less a one-pixel margin).
Image VerticalRope(int w, int h, std::uint32_t seed);

}  // namespace zelph::assetgen
