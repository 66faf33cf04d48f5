#include "objects/frame_obstacle.h"

#include "game/animated_picture.h"
#include "gfx/gfx_result.h"
#include "objects/kind_motion.h"
#include "objects/numbered_keys.h"
#include "objects/rect_contact.h"
#include "ui/pictures.h"

namespace zelph::objects {

using game::FieldObject;

Result FrameObstacle::Init(const config::ConfigSection& def, std::int32_t x, std::int32_t y) {
  if (Failed(FieldObject::Init(def, x, y))) return gfx::GFX_E_GENERIC;
  kindCode = game::kKindObstacle;
  ReadPictureKeys(def);
  frameRects_ = ReadEdgeRects(def, "b_frame_", 1, def.GetInt("frames_borders_count", 0));
  LoadImages(1);
  return S_OK;
}

Result FrameObstacle::Update(game::CellGrid& grid, std::uint32_t flags) {
  if (Failed(FieldObject::Update(grid, flags))) return gfx::GFX_E_GENERIC;
  const std::int32_t frame = Picture().Frame();
  // Frames past the last rectangle keep the one they found; without a picture the definition's stays.
  if (Picture().FrameCount() > 0 && frame >= 0 && static_cast<std::size_t>(frame) < frameRects_.size()) {
    figureRect = frameRects_[static_cast<std::size_t>(frame)];
  }
  FadeOrMove(*this, grid, flags);
  return S_OK;
}

int FrameObstacle::Collide(FieldObject* other, std::uint32_t flags) {
  // The obstacle tests the figures itself and lets the other respond, as the other would when asking
  // first: which of the two comes first in the level's list must not decide whether they meet.
  return RectKindCollide(*this, other, flags, false);
}

Result FrameObstacle::LoadImages(int flag) {
  FieldObject::LoadImages(flag);
  config::ResourcePack* pack = PackOf({ImageId(), AlphaImageId()});
  const auto& play = PlayParam();
  for (auto [sprite, id] : {std::pair{&Picture(), ImageId()}, std::pair{&PictureAlpha(), AlphaImageId()}}) {
    if (id == 0) continue;
    sprite->SetResetOnLoad(false);
    if (Failed(ui::LoadPicture(*sprite, pack, id))) continue;
    sprite->SetAnimation(true, play[2], play[1], false, gfx::kKeepTick);
    if (flag) sprite->SetFrame(play[0]);
  }
  return S_OK;
}

void FrameObstacle::ReleaseImages(int flag) {
  FieldObject::ReleaseImages(flag);
  Picture().Reset(false);
  PictureAlpha().Reset(false);
}

}  // namespace zelph::objects
