#include "objects/pictured_object.h"

#include <utility>

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
  for (auto [target, id] : {std::pair{&picture_, imageId_}, std::pair{&pictureAlpha_, alphaImageId_}}) {
    if (id == 0) continue;
    if (Failed(ui::LoadPicture(*target, PackOf({imageId_, alphaImageId_}), id))) continue;
    target->SetAnimation(true, playParam_[2], playParam_[1], false, 0);
    target->SetFrame(playParam_[0]);
  }
  return S_OK;
}

void PicturedObject::ReleaseImages(int flag) {
  FieldObject::ReleaseImages(flag);
  picture_.Reset(true);
  pictureAlpha_.Reset(true);
}

}  // namespace zelph::objects
