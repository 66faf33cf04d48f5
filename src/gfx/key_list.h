// The key codes the game asks the input for: the device's four directions, A, B, C and start.
#pragma once

#include <cstdint>

namespace zelph::gfx {

struct KeyList {
  std::uint16_t up = 0, down = 0, left = 0, right = 0, a = 0, b = 0, c = 0, start = 0;
  friend bool operator==(const KeyList&, const KeyList&) = default;
};

}  // namespace zelph::gfx
