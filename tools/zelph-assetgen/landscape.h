// The calm background behind menus and the field: sky, sun, clouds, far mountains, rolling hills.
#pragma once

#include <cstdint>

#include "raster.h"

namespace zelph::assetgen {

// An opaque landscape of w x h; the horizon sits at `horizon` percent of the height.
Image Landscape(int w, int h, int horizon, std::uint32_t seed);

}  // namespace zelph::assetgen
