#include "ui/animated_image.h"

#include "ui/pictures.h"

namespace zelph::ui {

Result AnimatedImage::CreateFromSection(std::uint32_t newId, const Rect* newRect, Control* newParent,
                                        std::uint32_t newFlags, const config::ConfigSection* section) {
  if (!section) return E_INVALIDARG;
  const Rect where = newRect ? *newRect : ReadRect(*section, "image_rect");
  return Build(newId, where, newParent, newFlags, section->GetNumber("image", 0), section->GetNumber("image_a", 0),
               section->GetInt("image_speed", 0));
}

Result AnimatedImage::CreateFromIds(std::uint32_t newId, const Rect& newRect, Control* newParent,
                                    std::uint32_t newFlags, std::uint32_t picture, std::uint32_t alphaPicture,
                                    std::int32_t frameDelay) {
  return Build(newId, newRect, newParent, newFlags, picture, alphaPicture, frameDelay);
}

Result AnimatedImage::Build(std::uint32_t newId, Rect where, Control* newParent, std::uint32_t newFlags,
                            std::uint32_t picture, std::uint32_t alphaPicture, std::int32_t frameDelay) {
  // A picture never takes the stylus, whatever its creator asked: taps pass to what lies below.
  Control::Create(newId, where, newParent, newFlags | kInputDisabled);
  imageId = picture;
  alphaId = alphaPicture;
  frameDelay_ = frameDelay;
  Result result = LoadPictures(nullptr);
  if (rect.right <= rect.left || rect.bottom <= rect.top) {
    std::int32_t w = 0, h = 0;
    if (hasImage) {
      image.FrameSize(-1, &w, &h);
    } else if (hasAlpha) {
      alpha.FrameSize(-1, &w, &h);
    }
    rect.right = rect.left + w;
    rect.bottom = rect.top + h;
  }
  drawRect = {0, 0, Width(), Height()};
  return result;
}

Result AnimatedImage::LoadPictures(config::ResourcePack* pack) {
  Result result = S_OK;
  if (imageId != 0) {
    pack = PackFor(imageId);
    result = LoadPicture(image, pack, imageId);
    hasImage = Succeeded(result) && image.FrameCount() > 0;
    if (hasImage) {
      colorKey = FramesColorKey(image);
      image.SetAnimation(true, frameDelay_, 1, false, 0);
    }
  }
  if (alphaId != 0) {
    // The alpha picture normally sits in the picture's pack.
    result = LoadPicture(alpha, pack ? pack : PackFor(alphaId), alphaId);
    hasAlpha = Succeeded(result) && alpha.FrameCount() > 0;
    if (hasAlpha) alpha.SetAnimation(true, frameDelay_, 1, false, 0);
  }
  return result;
}

Result AnimatedImage::Draw(gfx::Surface& target, int originX, int originY, const Rect&) {
  if (!visible || !hasImage) return S_OK;
  DrawPicture(target, DrawX(originX), DrawY(originY), image, hasAlpha ? &alpha : nullptr, visibleRect,
              PictureBltFlags(), opacity);
  return S_OK;
}

Result AnimatedImage::Tick(std::uint32_t) {
  if (hasImage) image.StepAnimation();
  if (hasAlpha) return alpha.StepAnimation();
  return S_OK;
}

Result AnimatedImage::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (code == kNotifyReleaseSurfaces) {
    if (imageId != 0) image.Reset(false);
    if (alphaId != 0) alpha.Reset(false);
  } else if (code == kNotifyRestoreSurfaces) {
    // Reloading starts the animation again from its first frame.
    if ((imageId != 0 && image.FrameCount() == 0) || (alphaId != 0 && alpha.FrameCount() == 0)) {
      LoadPictures(nullptr);
    }
  }
  return Control::Notify(code, argument, senderId);
}

void AnimatedImage::SetAnimation(bool playing, std::int32_t delay, std::int32_t step, bool playOnce) {
  image.SetAnimation(playing, delay, step, playOnce, gfx::kKeepTick);
  alpha.SetAnimation(playing, delay, step, playOnce, gfx::kKeepTick);
}

}  // namespace zelph::ui
