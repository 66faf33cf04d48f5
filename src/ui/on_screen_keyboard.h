// OnScreenKeyboard: a picture of a keyboard (one frame per layout) whose keys are found from rows of key
// widths. A tap types the key's character, or sends its control key, to whatever holds the key focus,
// through the same routing as the hardware keys. Shift works once; caps lock stays until pressed again.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "gfx/sprite.h"
#include "sound/sound_clip.h"
#include "ui/control.h"
#include "ui/keyboard_tables.h"

namespace zelph::ui {

inline constexpr int kLayoutLatinLower = 0;
inline constexpr int kLayoutLatinUpper = 1;
inline constexpr int kLayoutSecondLower = 2;
inline constexpr int kLayoutSecondUpper = 3;
inline constexpr std::uint32_t kPressedKeyOpacity = 127;
inline constexpr int kKeyPressVolume = 30;

struct KeyboardRow {
  Rect rect;  // relative to the keyboard
  std::span<const KeyRecord> keys;
};

class OnScreenKeyboard : public Control {
 public:
  using Control::Create;
  // layoutCount 2 keeps to the Latin layouts.
  Result Create(std::uint32_t id, const Rect& rect, Control* parent, std::uint32_t flags, std::uint32_t imageId,
                int layoutCount);
  void AddRow(const Rect& rowRect, std::span<const KeyRecord> keys);
  void SetPressSound(std::uint32_t resourceId);

  Result Draw(gfx::Surface& target, int originX, int originY, const Rect& clip) override;
  Result StylusDown(int x, int y, std::uint32_t extra) override;
  Result StylusUp(int x, int y, std::uint32_t extra) override;
  // Another control took the stylus: the pressed key comes up without typing.
  Result CaptureLost(Control* next) override;

  gfx::Sprite image;
  std::uint32_t imageId = 0;
  std::uint32_t colorKey = kColorKey;
  int layout = kLayoutLatinLower;
  int layoutCount = 2;
  std::vector<KeyboardRow> rows;
  bool pressed = false;
  Rect pressedRect;
  const KeyRecord* pressedKey = nullptr;
  bool shift = false;
  Rect shiftRect;
  bool capsLock = false;
  Rect capsRect;
  sound::SoundClip pressSound;

 private:
  void ToggleCase() { layout ^= 1; }
  // Sends what the key stands for in the current layout.
  void Type(const KeyRecord& key, const Rect& keyRect);
};

}  // namespace zelph::ui
