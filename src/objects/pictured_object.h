// The kinds that show one animated picture with its alpha picture (ball, obstacle, shuttle, prize): the two
// sprites they own, the keys that describe them, and loading and releasing them with the object's images.
#pragma once

#include <array>
#include <cstdint>

#include "config/config_section.h"
#include "game/field_object.h"
#include "gfx/sprite.h"

namespace zelph::objects {

class PicturedObject : public game::FieldObject {
 public:
  PicturedObject();

  // The blow and mark pictures, then the picture and its alpha, each bound when it has an identifier and
  // started on the first frame of "play_param". A missing picture leaves its sprite empty: the object is
  // then not drawn but still moves and collides.
  Result LoadImages(int flag) override;
  void ReleaseImages(int flag) override;
  gfx::Sprite& Picture() { return picture_; }
  gfx::Sprite& PictureAlpha() { return pictureAlpha_; }
  std::uint32_t ImageId() const { return imageId_; }
  std::uint32_t AlphaImageId() const { return alphaImageId_; }

 protected:
  // "play_param", "image" and "image_a"; read by the kinds' Init after the common keys.
  void ReadPictureKeys(const config::ConfigSection& definition);
  const std::array<std::int32_t, 4>& PlayParam() const { return playParam_; }

 private:
  gfx::Sprite picture_;
  gfx::Sprite pictureAlpha_;
  // First frame, frame step, frame delay; the fourth number means nothing to these kinds.
  std::array<std::int32_t, 4> playParam_{};
  std::uint32_t imageId_ = 0;
  std::uint32_t alphaImageId_ = 0;
};

}  // namespace zelph::objects
