// AnimatedImage: the passive picture of the toolkit (backgrounds, heads, ropes, message-box backgrounds). It
// shows one sprite, optionally through a matching alpha sprite, advances it every frame and never takes the
// stylus.
#pragma once

#include <cstdint>

#include "config/config_section.h"
#include "gfx/sprite.h"
#include "ui/control.h"

namespace zelph::ui {

class AnimatedImage : public Control {
 public:
  // From the section's "image", "image_a", "image_speed" and, without `rect`, "image_rect". An empty
  // rectangle takes the size of the picture (or of the alpha picture when there is no picture).
  // E_INVALIDARG without a section; otherwise the result of the last picture load (a missing picture leaves
  // the image empty but attached).
  Result CreateFromSection(std::uint32_t id, const Rect* rect, Control* parent, std::uint32_t flags,
                           const config::ConfigSection* section);
  // The same from identifiers; alphaId 0 for none.
  Result CreateFromIds(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags,
                       std::uint32_t imageId, std::uint32_t alphaId, std::int32_t frameDelay);

  Result Draw(gfx::Surface& target, int originX, int originY, const Rect& clip) override;
  // The alpha sprite's step result: GFX_S_ANIMATION_END when a one-shot animation stops.
  Result Tick(std::uint32_t frame) override;
  // 21 frees and 22 reloads the frames that came from identifiers.
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;

  // Applies to both sprites.
  void SetAnimation(bool playing, std::int32_t delay, std::int32_t step, bool playOnce);
  gfx::Sprite* ImageSprite() { return image.FrameCount() ? &image : nullptr; }
  gfx::Sprite* AlphaSprite() { return alpha.FrameCount() ? &alpha : nullptr; }

  bool hasImage = false;
  std::uint32_t imageId = 0;
  bool hasAlpha = false;
  std::uint32_t alphaId = 0;
  std::uint32_t colorKey = kColorKey;
  gfx::Sprite image;
  gfx::Sprite alpha;
  Rect drawRect;

 private:
  Result Build(std::uint32_t id, Rect rect, Control* parent, std::uint32_t flags, std::uint32_t picture,
               std::uint32_t alphaPicture, std::int32_t frameDelay);
  // Loads both pictures from their identifiers and sets them running.
  Result LoadPictures(config::ResourcePack* pack);

  std::int32_t frameDelay_ = 0;
};

}  // namespace zelph::ui
