#include "objects/pictured_object.h"

#include <algorithm>
#include <utility>

#include "game/animated_picture.h"
#include "ui/pictures.h"

namespace zelph::objects {

PicturedObject::PicturedObject() {
  sprite = &picture_;
  alphaSprite = &pictureAlpha_;
}

void PicturedObject::ReadPictureKeys(const config::ConfigSection& def) {
  playParam_.fill(0);
  def.GetQuad("play_param", playParam_);
  imageId_ = def.GetNumber("image", 0);
  alphaImageId_ = def.GetNumber("image_a", 0);
}

Result PicturedObject::LoadImages(int flag) {
  FieldObject::LoadImages(flag);
  config::ResourcePack* pack = PackOf({imageId_, alphaImageId_});
  game::LoadAnimatedPicture(picture_, pack, imageId_, playParam_, false);
  game::LoadAnimatedPicture(pictureAlpha_, pack, alphaImageId_, playParam_, false);
  return S_OK;
}

void PicturedObject::FadeOrMove(game::CellGrid& grid, std::uint32_t flags) {
  if ((flags & game::kUpdateFade) && dead) {
    if (fadeStep < opacity && fadeMin < opacity) {
      opacity -= fadeStep;
    } else {
      removed = true;
    }
  } else if (flags & game::kUpdateMove) {
    Move(grid);
  }
}

Result PicturedObject::Prepare(game::CellGrid& grid) {
  game::Vec8 p{position.x + velocity.x, position.y + velocity.y};
  const std::int32_t low = radius * game::kOne;
  // Clamped with the upper limit last, as an object wider than the field ends on the far limit.
  p.x = std::min(std::max(p.x, low), (grid.Width() - radius) * game::kOne);
  p.y = std::min(std::max(p.y, low), (grid.Height() - radius) * game::kOne);
  SetPosition(p);
  return S_OK;
}

void PicturedObject::ReleaseImages(int flag) {
  FieldObject::ReleaseImages(flag);
  picture_.Reset(true);
  pictureAlpha_.Reset(true);
}

}  // namespace zelph::objects
