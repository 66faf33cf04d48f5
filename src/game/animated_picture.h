// A picture bound to a sprite and started on its animation ("play_param" and the like: first frame, frame
// step, ticks per frame, and a fourth value that, where a key gives it meaning, makes the animation play once).
#pragma once

#include <array>
#include <cstdint>

#include "gfx/sprite.h"

namespace zelph::config {
class ResourcePack;
}

namespace zelph::game {

// False, leaving the sprite empty, for identifier 0 or a picture that does not load.
bool LoadAnimatedPicture(gfx::Sprite& sprite, config::ResourcePack* pack, std::uint32_t id,
                         const std::array<std::int32_t, 4>& play, bool oneShot);

}  // namespace zelph::game
