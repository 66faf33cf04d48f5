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

void PicturedObject::ReleaseImages(int flag) {
  FieldObject::ReleaseImages(flag);
  picture_.Reset(true);
  pictureAlpha_.Reset(true);
}

}  // namespace zelph::objects
