// 8.8 fixed-point arithmetic of the field: positions, velocities and speeds carry eight fraction bits
// (256 = one cell), products use 64-bit intermediates.
#pragma once

#include <cstdint>

namespace zelph::game {

inline constexpr std::int32_t kOne = 256;

struct Vec8 {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend constexpr bool operator==(const Vec8&, const Vec8&) = default;
};

constexpr std::int32_t FxMul(std::int64_t a, std::int64_t b) { return static_cast<std::int32_t>(a * b / kOne); }
constexpr std::int32_t FxMulShift(std::int64_t a, std::int64_t b) {
  return static_cast<std::int32_t>((a * b) >> 8);
}

// Length of an 8.8 vector, rounded: sqrt((x*x/256 + y*y/256) / 256) * 256 + 0.5, truncated.
std::int32_t FxLength(Vec8 v);
// Scales `v` to length 256 and answers its former length; a zero vector stays as it is.
std::int32_t FxNormalise(Vec8& v);
// The vector scaled to length `length` (normalise, then multiply).
Vec8 FxRescale(Vec8 v, std::int32_t length);
// 8.8 dot product.
constexpr std::int32_t FxDot(Vec8 a, Vec8 b) {
  return static_cast<std::int32_t>((std::int64_t{a.x} * b.x + std::int64_t{a.y} * b.y) >> 8);
}

}  // namespace zelph::game
