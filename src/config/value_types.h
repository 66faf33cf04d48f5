// Plain shapes that configuration values are read into.
#pragma once

#include <cstdint>

namespace zelph::config {

// Right and bottom are exclusive.
struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

struct Point {
  std::int32_t x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

}  // namespace zelph::config
