// Button: the one clickable control. Four states (disabled, appear, released, pressed), each an animated
// sprite with an optional alpha sprite; a press sound; the stylus captured while pressed; optional
// pixel-precise hits and a click deferred to the end of the pressed animation. It tells its commandTarget
// (else its parent) that it was pressed (33), released (34) and clicked (32).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "config/config_section.h"
#include "config/resource_pack.h"
#include "gfx/sprite.h"
#include "sound/sound_clip.h"
#include "ui/control.h"

namespace zelph::ui {

// Button flags, besides the control's.
inline constexpr std::uint32_t kButtonPixelHit = 0x100;      // taps on key-coloured pixels are ignored
inline constexpr std::uint32_t kButtonNotifyAnimEnd = 0x200; // 35 each time a state's animation ends
inline constexpr std::uint32_t kButtonDeferredClick = 0x400; // click once the pressed animation has ended
inline constexpr std::uint32_t kButtonAnyRelease = 0x800;    // a release clicks even when not pressed
inline constexpr std::uint32_t kButtonLoadOnDemand = 0x1000; // only the shown state's frames are in memory

// States; the number is also the index of the state's record.
inline constexpr int kStateNone = -1;
inline constexpr int kStateDisabled = 0;
inline constexpr int kStateAppear = 1;
inline constexpr int kStateReleased = 2;
inline constexpr int kStatePressed = 3;
inline constexpr int kStateCount = 4;

inline constexpr int kPressSoundVolume = 30;
inline constexpr std::int32_t kDefaultAnimSpeed = 10;

// start frame, step, frame delay, play once
using ButtonAnimation = std::array<std::int32_t, 4>;

struct ButtonState {
  bool loaded = false;
  std::uint32_t imageId = 0;  // 0: the button has no such state
  std::uint32_t alphaId = 0;
  std::uint32_t colorKey = kColorKey;
  gfx::Sprite image;
  gfx::Sprite alpha;
  config::ResourcePack* pack = nullptr;

  bool HasFrames() const { return image.FrameCount() > 0; }
};

class Button : public Control {
 public:
  ~Button() override;

  // From the keys "rect" (only without `rect`), "dis_ID", "app_ID", "rel_ID", "pres_ID" with their "_AID"
  // alpha pictures, "animpar" or "animspeed", and "press_sound". E_INVALIDARG without a section.
  Result CreateFromSection(std::uint32_t id, const Rect* rect, Control* parent, std::uint32_t flags,
                           const config::ConfigSection* section);
  // The same from the four picture identifiers (0: no such state), without alpha pictures.
  Result CreateFromIds(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags,
                       const std::array<std::uint32_t, kStateCount>& imageIds,
                       std::optional<ButtonAnimation> animation);

  // States outside 0..3 become disabled. With restart the new state's animation starts from frame 0.
  void SetState(int newState, bool restart);
  void SetPressSound(std::uint32_t resourceId);
  int State() const { return state; }

  Result Draw(gfx::Surface& target, int originX, int originY, const Rect& clip) override;
  Result Tick(std::uint32_t frame) override;
  Result KeyDown(int keyCode, std::uint32_t rawKey) override;
  Result KeyUp(int keyCode, std::uint32_t rawKey) override;
  Result StylusDown(int x, int y, std::uint32_t extra) override;
  Result StylusUp(int x, int y, std::uint32_t extra) override;
  Result StylusDoubleClick(int x, int y, std::uint32_t extra) override;
  Result CaptureLost(Control* next) override;
  // 21 frees and 22 reloads the frames and the press sound.
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;

  std::array<ButtonState, kStateCount> states;
  int state = kStateNone;
  Rect drawRect;
  bool pixelHit = false;
  sound::SoundClip pressSound;
  bool pendingClick = false;
  Control* previousCapture = nullptr;

 private:
  Result Build(std::uint32_t id, Rect rect, Control* parent, std::uint32_t flags);
  // Loads a state's frames (and alpha frames) and sets its animation going.
  void LoadState(int index);
  void FreeState(int index);
  void StartAnimation(gfx::Sprite& sprite) const;
  // A release or double tap over a key-coloured pixel of the current state's frame clicks nothing.
  bool ReleasedOverHole(int x, int y);
  void Report(std::uint32_t code, std::intptr_t argument);

  std::optional<ButtonAnimation> animation_;
  std::int32_t animSpeed_ = -1;  // used without animation_; negative keeps each sprite's own settings
};

}  // namespace zelph::ui
