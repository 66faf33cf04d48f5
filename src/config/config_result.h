// The result code the game's own operations fail with; the graphics layer declares the same value as its
// generic failure.
#pragma once

#include "platform/result.h"

namespace zelph::config {

inline constexpr Result kGenericFailure = Code(0xC8660001);

}  // namespace zelph::config
