#include "gfx/sprite.h"

#include "config/resource_pack.h"

namespace zelph::gfx {

void Sprite::RestoreDefaults() {
  tick_ = 0;
  delay_ = 3;
  playing_ = false;
  oneShot_ = false;
  frame_ = 0;
  step_ = 1;
}

void Sprite::Bind(std::shared_ptr<FrameSet> set) {
  if (set && set == frames_) return;
  frames_.reset();
  if (resetOnLoad_) RestoreDefaults();
  frames_ = std::move(set);
  resetOnLoad_ = true;
}

Result Sprite::LoadMemory(std::span<const std::uint8_t> data, int extraSurfaces,
                          std::optional<std::uint32_t> id) {
  if (id) {
    if (std::shared_ptr<FrameSet> cached = cache_->Find(*id)) {
      Bind(std::move(cached));
      return S_OK;
    }
  }
  std::shared_ptr<FrameSet> set;
  Result r = BuildFrameSet(data, createFlags_, extraSurfaces, id, cache_, *context_, &set);
  Bind(std::move(set));
  return r;
}

Result Sprite::Load(config::ResourcePack* pack, std::uint32_t id) {
  if (std::shared_ptr<FrameSet> cached = cache_->Find(id)) {
    Bind(std::move(cached));
    return S_OK;
  }
  if (!pack) {
    Bind(nullptr);
    return E_INVALIDARG;
  }
  std::optional<std::vector<std::uint8_t>> bytes = pack->Extract(id);
  if (!bytes) {
    Bind(nullptr);
    return GFX_E_NO_RESOURCE;
  }
  return LoadMemory(*bytes, 0, id);
}

void Sprite::Reset(bool restoreDefaults) {
  frames_.reset();
  if (restoreDefaults) RestoreDefaults();
}

Surface* Sprite::FrameSurface(int index) {
  const int count = FrameCount();
  if (count == 0) return nullptr;
  if (index < 0 || index >= count) index = frame_;
  return index >= 0 && index < count ? frames_->At(index) : nullptr;
}

Surface* Sprite::ExtraSurface(int index) {
  if (!frames_ || index < 0) return nullptr;
  return frames_->At(frames_->FrameCount() + index);
}

void Sprite::FrameSize(int index, std::int32_t* width, std::int32_t* height) {
  const Surface* s = FrameSurface(index);
  if (width) *width = s ? s->Width() : 0;
  if (height) *height = s ? s->Height() : 0;
}

Result Sprite::DrawFrame(Surface& dest, int index, std::int32_t x, std::int32_t y, const Rect* srcRect,
                         std::uint32_t bltFlags, const BltFx* fx) {
  if (FrameCount() == 0) return E_OUTOFMEMORY;
  if (index >= FrameCount()) return E_INVALIDARG;
  Surface* frame = FrameSurface(index);
  if (!frame) return E_INVALIDARG;
  return Blt(dest, x, y, frame, srcRect, bltFlags, fx);
}

void Sprite::SetAnimation(bool playing, std::int32_t delay, std::int32_t step, bool oneShot,
                          std::int32_t tick) {
  playing_ = playing;
  if (delay != kKeepDelay) delay_ = delay;
  if (step != kKeepStep) step_ = step;
  oneShot_ = oneShot;
  if (tick >= 0) tick_ = tick;
}

bool Sprite::SetPlaying(bool playing) {
  const bool before = playing_;
  playing_ = playing;
  return before;
}

void Sprite::SetFrame(std::int32_t index) {
  frame_ = index;
  const int count = FrameCount();
  if (count == 0) return;
  if (index >= count) {
    if (oneShot_) {
      playing_ = false;
      frame_ = count - 1;
    } else {
      frame_ = 0;
    }
  } else if (index < 0) {
    if (oneShot_) playing_ = false;
    frame_ = oneShot_ ? 0 : count - 1;
  }
}

Result Sprite::StepAnimation() {
  const int count = FrameCount();
  if (count == 0 || !playing_) return S_OK;
  // tick + 1 <= delay, written so that no delay can overflow the count.
  if (tick_ < delay_) {
    ++tick_;
    return S_OK;
  }
  tick_ = 0;
  // 64-bit, so that a step near the integer limits cannot overflow.
  const std::int64_t next = std::int64_t{frame_} + step_;
  if (next >= count) {
    if (oneShot_) {
      playing_ = false;
      frame_ = count - 1;
      return GFX_S_ANIMATION_END;
    }
    frame_ = 0;
  } else if (next < 0) {
    if (oneShot_) {
      playing_ = false;
      frame_ = 0;
      return GFX_S_ANIMATION_END;
    }
    frame_ = count - 1;
  } else {
    frame_ = static_cast<std::int32_t>(next);
  }
  return S_OK;
}

}  // namespace zelph::gfx
