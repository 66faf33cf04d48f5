// Wood: grain from warped growth rings, fibres and slow colour drift; boards built from planks.
#pragma once

#include <cstdint>

#include "raster.h"

namespace zelph::assetgen {

struct WoodStyle {
  Color light{0xD9, 0xA5, 0x6A};  // early wood
  Color dark{0x8A, 0x55, 0x2C};   // late wood (ring lines)
  Color deep{0x5C, 0x35, 0x1A};   // pores and seams
  int ringSpacing = 22;           // pixels between growth rings, across the grain
  int warp = 3;                   // how strongly the rings wander (0..8)
};

// The house woods: one palette for the whole game.
WoodStyle HoneyWood();   // buttons and small plaques
WoodStyle WalnutWood();  // signboards
WoodStyle OakWood();     // the field cover

// Opaque wood of w x h with the grain running along x. `seed` picks the piece of wood.
Image WoodTexture(int w, int h, const WoodStyle& style, std::uint32_t seed);

// A board of horizontal planks `plankHeight` pixels high (the last one takes the rest), each a separate
// rounded piece with its own grain, inside a rounded outline. Returns the board (premultiplied, with its
// shape as alpha) already lit with a bevel of `bevel` pixels.
Image PlankBoard(int w, int h, int radius, int plankHeight, int bevel, const WoodStyle& style,
                 std::uint32_t seed);

}  // namespace zelph::assetgen
