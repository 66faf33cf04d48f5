// A level's prize rule: which prize appears, how often, how many at once and how many in all.
#pragma once

#include <cstdint>

namespace zelph::game {

struct PrizeSpawn {
  std::int32_t id = 0;         // definition id
  std::int32_t timer = -1;     // frames until the next spawn; -1 = not armed
  std::int32_t minDelay = 10;  // seconds
  std::int32_t maxDelay = 60;  // seconds
  std::int32_t maxAlive = 1;
  std::int32_t remaining = 1;  // spawns left
};

}  // namespace zelph::game
