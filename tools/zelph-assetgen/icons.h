// The game's desktop icon: a rounded wooden panel with a captured corner cut away, the laser beam and the
// cutting head, drawn at any size from the same shapes so that every size is sharp.
#pragma once

#include <cstdint>
#include <vector>

#include "raster.h"

namespace zelph::assetgen {

Image DrawIcon(int size);

// Straight (not premultiplied) 8-bit RGBA, 4 bytes per pixel, as desktop icons are stored.
std::vector<std::uint8_t> StraightRgba(const Image& img);

}  // namespace zelph::assetgen
