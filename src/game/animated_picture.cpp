#include "game/animated_picture.h"

#include "ui/pictures.h"

namespace zelph::game {

bool LoadAnimatedPicture(gfx::Sprite& sprite, config::ResourcePack* pack, std::uint32_t id,
                         const std::array<std::int32_t, 4>& play, bool oneShot) {
  if (id == 0 || Failed(ui::LoadPicture(sprite, pack, id))) return false;
  sprite.SetAnimation(true, play[2], play[1], oneShot, 0);
  sprite.SetFrame(play[0]);
  return true;
}

}  // namespace zelph::game
