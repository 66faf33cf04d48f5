#include "game/fixed_point.h"

#include <cmath>

namespace zelph::game {

std::int32_t FxLength(Vec8 v) {
  const std::int64_t q = std::int64_t{v.x} * v.x / kOne + std::int64_t{v.y} * v.y / kOne;
  return static_cast<std::int32_t>(std::sqrt(static_cast<double>(q) / kOne) * kOne + 0.5);
}

std::int32_t FxNormalise(Vec8& v) {
  const std::int32_t length = FxLength(v);
  if (length != 0) {
    v.x = static_cast<std::int32_t>(std::int64_t{v.x} * kOne / length);
    v.y = static_cast<std::int32_t>(std::int64_t{v.y} * kOne / length);
  }
  return length;
}

Vec8 FxRescale(Vec8 v, std::int32_t length) {
  FxNormalise(v);
  return {FxMul(v.x, length), FxMul(v.y, length)};
}

}  // namespace zelph::game
