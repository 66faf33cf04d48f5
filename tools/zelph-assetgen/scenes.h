// The pictures a level's captures uncover: landscapes in several seasons and times of day, skies, and
// bright patterns, each clearly unlike the others so that every level rewards with a picture of its own.
#pragma once

#include <cstdint>
#include <string_view>

#include "raster.h"

namespace zelph::assetgen {

// The style names a description uses; false for an unknown one.
bool IsSceneStyle(std::string_view style);

// An opaque w x h picture of the style; `horizon` (percent of the height) places the land of the
// landscape styles.
Image Scene(std::string_view style, int w, int h, int horizon, std::uint32_t seed);

}  // namespace zelph::assetgen
