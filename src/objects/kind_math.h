// Vector arithmetic of the object kinds' movement: 8.8 sums, differences and products, where a product is
// (a * b) >> 8 in 64 bits.
#pragma once

#include <cstdint>

#include "game/fixed_point.h"

namespace zelph::objects {

using game::Vec8;

constexpr Vec8 Add(Vec8 a, Vec8 b) { return {a.x + b.x, a.y + b.y}; }
constexpr Vec8 Sub(Vec8 a, Vec8 b) { return {a.x - b.x, a.y - b.y}; }
// Both components times the 8.8 factor.
constexpr Vec8 Scale(Vec8 v, std::int64_t factor) {
  return {game::FxMulShift(v.x, factor), game::FxMulShift(v.y, factor)};
}
// The direction of `v` at length `length` (a zero vector stays zero).
inline Vec8 WithLength(Vec8 v, std::int32_t length) {
  game::FxNormalise(v);
  return Scale(v, length);
}

}  // namespace zelph::objects
