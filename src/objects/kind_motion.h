// Steps the moving kinds share: turning back at the field's edges, keeping inside them while being placed,
// and the end of every kind's update, where a dead object fades out and a live one moves.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "config/value_types.h"

#include "game/cell_grid.h"
#include "game/field_object.h"

namespace zelph::objects {

// A component past the limits `radius` cells inside the grid is turned back and put on the limit in the
// same frame.
inline void TurnAtEdges(game::Vec8& p, game::Vec8& v, std::int32_t radius, const game::CellGrid& grid) {
  const std::int32_t low = radius * game::kOne;
  auto edge = [low](std::int32_t& at, std::int32_t& speed, std::int32_t high) {
    if (at < low) {
      speed = -speed;
      at = low;
    } else if (at > high) {
      speed = -speed;
      at = high;
    }
  };
  edge(p.x, v.x, (grid.Width() - radius) * game::kOne);
  edge(p.y, v.y, (grid.Height() - radius) * game::kOne);
}

// Clamped `radius` cells inside the grid, the upper limit last, so an object wider than the field ends on
// the far limit.
inline game::Vec8 ClampToField(game::Vec8 p, std::int32_t radius, const game::CellGrid& grid) {
  const std::int32_t low = radius * game::kOne;
  p.x = std::min(std::max(p.x, low), (grid.Width() - radius) * game::kOne);
  p.y = std::min(std::max(p.y, low), (grid.Height() - radius) * game::kOne);
  return p;
}

// Where one step by its velocity takes `o`, kept inside the field by its radius.
inline game::Vec8 StepInsideField(const game::FieldObject& o, const game::CellGrid& grid) {
  return ClampToField({o.position.x + o.velocity.x, o.position.y + o.velocity.y}, o.radius, grid);
}

// Backs `o` out of the ground it ran into: a fifth of `velocity`, reversed, per step, until `probe` feels
// nothing or after seven steps. `contact`, when given, keeps the last place the probe touched.
inline void BackOff(game::FieldObject& o, const game::CellGrid& grid, const std::vector<config::Point>& probe,
                    game::Vec8 velocity, game::Vec8* contact) {
  constexpr std::int64_t kDivisor = 1280;
  constexpr int kMaxSteps = 7;
  const game::Vec8 back{static_cast<std::int32_t>(-std::int64_t{velocity.x} * game::kOne / kDivisor),
                        static_cast<std::int32_t>(-std::int64_t{velocity.y} * game::kOne / kDivisor)};
  for (int step = 0; step < kMaxSteps; ++step) {
    o.position = {o.position.x + back.x, o.position.y + back.y};
    if (o.ContactProbe(grid, probe, contact) == 0) break;
  }
}

// With flag 4 a dead object fades by its step until the fade cannot go on, and is then removed; otherwise,
// with flag 2, it moves.
inline void FadeOrMove(game::FieldObject& o, game::CellGrid& grid, std::uint32_t flags) {
  if ((flags & game::kUpdateFade) && o.dead) {
    if (o.fadeStep < o.opacity && o.fadeMin < o.opacity) {
      o.opacity -= o.fadeStep;
    } else {
      o.removed = true;
    }
  } else if (flags & game::kUpdateMove) {
    o.Move(grid);
  }
}

}  // namespace zelph::objects
