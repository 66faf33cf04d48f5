// An animated picture: a handle on a shared FrameSet with its own animation state (current frame, speed,
// direction, looping). Owners bind it to an image identifier, step it once per frame and draw its frame.
#pragma once

#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "gfx/blit.h"
#include "gfx/frame_set.h"
#include "gfx/gfx_result.h"
#include "gfx/surface.h"

namespace zelph::config {
class ResourcePack;
}

namespace zelph::gfx {

inline constexpr std::int32_t kKeepDelay = -1;
inline constexpr std::int32_t kKeepStep = INT_MAX;
inline constexpr std::int32_t kKeepTick = -1;

class Sprite {
 public:
  explicit Sprite(GraphicsContext& context = GraphicsContext::Global(),
                  ImageCache& cache = ImageCache::Global())
      : context_(&context), cache_(&cache) {}
  Sprite(const Sprite&) = delete;
  Sprite& operator=(const Sprite&) = delete;

  // Binds the sprite to picture `id` of `pack` (the pack that holds the identifier). A picture already in
  // the cache is shared, not decoded again. E_INVALIDARG without a pack, GFX_E_NO_RESOURCE when the pack
  // does not yield the picture; a failed load leaves the sprite with no frames.
  Result Load(config::ResourcePack* pack, std::uint32_t id);
  // The same from image data in memory, with `extraSurfaces` empty surfaces after the frames; an
  // identifier enters the frames in the cache.
  Result LoadMemory(std::span<const std::uint8_t> data, int extraSurfaces, std::optional<std::uint32_t> id);

  // Lets go of the frames (they are freed with their last holder), leaving the sprite without frames;
  // `restoreDefaults` also resets the animation state.
  void Reset(bool restoreDefaults);

  int FrameCount() const { return frames_ ? frames_->FrameCount() : 0; }
  // Frame `index`, or the current frame when index is negative or past the end; null without frames.
  Surface* FrameSurface(int index);
  // Extra surface `index` (0 is the first after the frames); null when there is none.
  Surface* ExtraSurface(int index);
  // Width and height of that frame; (0, 0) without one.
  void FrameSize(int index, std::int32_t* width, std::int32_t* height);
  // Blt of frame `index` (the current frame when negative): E_INVALIDARG past the last frame,
  // E_OUTOFMEMORY without frames.
  Result DrawFrame(Surface& dest, int index, std::int32_t x, std::int32_t y, const Rect* srcRect = nullptr,
                   std::uint32_t bltFlags = kBltPlain, const BltFx* fx = nullptr);

  // Each argument may keep its value: kKeepDelay, kKeepStep, kKeepTick.
  void SetAnimation(bool playing, std::int32_t delay, std::int32_t step, bool oneShot, std::int32_t tick);
  // Returns the previous value.
  bool SetPlaying(bool playing);
  void SetFrame(std::int32_t index);
  // One update: S_OK, or GFX_S_ANIMATION_END when a one-shot animation reaches its end.
  Result StepAnimation();

  std::int32_t Frame() const { return frame_; }
  std::int32_t Tick() const { return tick_; }
  std::int32_t Delay() const { return delay_; }
  std::int32_t Step() const { return step_; }
  bool Playing() const { return playing_; }
  bool OneShot() const { return oneShot_; }
  void SetResetOnLoad(bool on) { resetOnLoad_ = on; }
  void SetCreateFlags(std::uint32_t flags) { createFlags_ = flags; }
  const FrameSet* Frames() const { return frames_.get(); }

 private:
  // Lets go of the current set when `set` is another one, and takes `set`.
  void Bind(std::shared_ptr<FrameSet> set);
  void RestoreDefaults();

  GraphicsContext* context_;
  ImageCache* cache_;
  std::shared_ptr<FrameSet> frames_;
  std::int32_t tick_ = 0;
  std::int32_t delay_ = 3;
  bool playing_ = false;
  bool oneShot_ = false;
  std::int32_t frame_ = 0;
  std::int32_t step_ = 1;
  bool resetOnLoad_ = true;
  std::uint32_t createFlags_ = 0;
};

}  // namespace zelph::gfx
