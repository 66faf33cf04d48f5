// Directions and speeds of field objects: the first random heading, snapping to allowed angles after a
// bounce, and slowing down.
#include <cmath>
#include <cstdlib>

#include "game/field_object.h"
#include "platform/random.h"

namespace zelph::game {

namespace {

constexpr double kPi = 3.1415926535;
constexpr std::int32_t kHalfRand = 16383;

// (numerator / denominator) in 8.8, with the game's 64-bit intermediates.
std::int64_t Ratio(std::int64_t numerator, std::int64_t denominator) {
  return numerator * kOne * kOne / (denominator * kOne);
}

}  // namespace

void FieldObject::RandomDirection() {
  std::int64_t v = platform::Rand() - kHalfRand;
  std::int64_t u = platform::Rand() - kHalfRand;
  for (int draws = 1; u == 0 && v == 0; ++draws) {
    if (draws >= 10) {
      u = v = 1;
      break;
    }
    v = platform::Rand() - kHalfRand;
    u = platform::Rand() - kHalfRand;
  }
  std::int64_t dx, dy;
  if (u == 0) {  // a zero denominator: head along the axis the other ratio would give
    dx = kOne, dy = 0;
  } else if (v == 0) {
    dx = 0, dy = kOne;
  } else if (u < v) {
    dx = Ratio(v, u), dy = kOne;
  } else {
    dx = kOne, dy = Ratio(u, v);
  }
  if (std::max(std::llabs(dx), std::llabs(dy)) > 256000) {
    dx /= 1000;
    dy /= 1000;
  }
  Vec8 d{static_cast<std::int32_t>(dx), static_cast<std::int32_t>(dy)};
  FxNormalise(d);
  velocity = {FxMul(d.x, speed), FxMul(d.y, speed)};
}

void FieldObject::SnapToAllowedAngle() {
  if (allowedAngles.empty()) return;
  std::int32_t angle;
  if (velocity.x == 0) {
    angle = velocity.y > 0 ? 90 : 270;
  } else if (velocity.y == 0) {
    angle = velocity.x > 0 ? 0 : 180;
  } else {
    angle = static_cast<std::int32_t>(std::atan2(velocity.y, velocity.x) * 180 / kPi);
    if (angle < 0) angle += 360;
  }
  std::int32_t best = allowedAngles.front();
  std::int64_t bestDistance = std::llabs(std::int64_t{best} - angle);
  for (const std::int32_t entry : allowedAngles) {
    const std::int64_t d = std::llabs(std::int64_t{entry} - angle);
    if (d < bestDistance) {
      best = entry;
      bestDistance = d;
    }
  }
  const std::int64_t radians8 = static_cast<std::int64_t>(best * kPi * kOne / 180 + 0.5);
  const std::int64_t c = static_cast<std::int64_t>(std::cos(radians8 / 256.0) * kOne + 0.5);
  const std::int64_t s = static_cast<std::int64_t>(std::sin(radians8 / 256.0) * kOne + 0.5);
  velocity = {static_cast<std::int32_t>(speed * c / kOne), static_cast<std::int32_t>(speed * s / kOne)};
}

void FieldObject::SlowDown(std::int32_t factor, std::int32_t seconds) {
  if (!slowed) {
    slowed = true;
    savedSpeed = speed;
    speed = FxMul(speed, factor);
    velocity = FxRescale(velocity, speed);
  }
  slowTimer = SecondsToFrames(seconds);
}

void FieldObject::EndSlowDown() {
  if (!slowed) return;
  slowed = false;
  speed = savedSpeed;
  slowTimer = -1;
  velocity = FxRescale(velocity, speed);
}

}  // namespace zelph::game
