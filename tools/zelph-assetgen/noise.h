// Smooth integer value noise for wood, clouds and hills.
#pragma once

#include <cstdint>

namespace zelph::assetgen {

// Noise over a lattice with one cell per 65536 units of x and y; result 0..65535, smooth between lattice
// points.
int ValueNoise(std::int64_t x, std::int64_t y, std::uint32_t seed);

// `octaves` layers of ValueNoise, each of twice the frequency and half the weight; result 0..65535.
int Fbm(std::int64_t x, std::int64_t y, int octaves, std::uint32_t seed);

// One-dimensional forms, for outlines such as hill tops.
inline int ValueNoise1(std::int64_t x, std::uint32_t seed) { return ValueNoise(x, 0, seed); }
inline int Fbm1(std::int64_t x, int octaves, std::uint32_t seed) { return Fbm(x, 0, octaves, seed); }

}  // namespace zelph::assetgen
