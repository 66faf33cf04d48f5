// What a screen orientation changes besides the picture: the logical size, where a stylus point lands and
// which key means which direction. Orientation values: 1 = 0 degrees, 2 = 90, 4 = 270, 8 = 180.
#pragma once

#include <cstdint>

#include "gfx/key_list.h"

namespace zelph::gfx {

// How many quarter turns `current` is on from `native` (0 to 3): 1 for the pairs 1 and 2, 4 and 1, 8 and 4,
// 2 and 8. The picture appears turned the other way round on the screen.
int QuartersOn(std::int32_t native, std::int32_t current);

// Logical size for a screen of width x height in `orientation`: exchanged for 90 and 270 degrees.
void LogicalSize(std::int32_t orientation, std::int32_t width, std::int32_t height,
                 std::int32_t* logicalWidth, std::int32_t* logicalHeight);

// A point of the screen in the native orientation, moved into the picture of the current one, whose logical
// size is width x height.
void MapPoint(std::int32_t native, std::int32_t current, std::int32_t width, std::int32_t height, int* x,
              int* y);

// The four direction keys exchanged so that each still moves the way it points on the turned screen; A, B,
// C and start never change.
KeyList RemapDirectionKeys(const KeyList& keys, std::int32_t native, std::int32_t current);

}  // namespace zelph::gfx
