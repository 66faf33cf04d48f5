// MessageBox: the game's modal dialog. A picture with a text and an OK button (or OK and Cancel), centred
// 10 pixels above the middle of the screen, dimming everything behind it, with a sound when it first shows.
// While it is open the stylus reaches nothing outside it. The button that closes it is reported to its
// commandTarget (else its parent) as 0x2000010 with the box and 1 (OK) or 2 (Cancel).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "config/config_section.h"
#include "gfx/alpha_font.h"
#include "sound/sound_clip.h"
#include "ui/animated_image.h"
#include "ui/button.h"
#include "ui/text_label.h"

namespace zelph::ui {

// Both bits: OK and Cancel. The text's alignment rides in kTextAlignMask.
inline constexpr std::uint32_t kBoxTwoButtons = 0x2000200;
inline constexpr std::uint32_t kBoxBackgroundId = 0x2000001;
inline constexpr std::uint32_t kBoxTextId = 0x2000002;
inline constexpr std::uint32_t kBoxOkId = 0x2000003;
inline constexpr std::uint32_t kBoxCancelId = 0x2000004;
inline constexpr std::int32_t kBoxZOrder = 1000;
inline constexpr std::uint32_t kBoxOk = 1;
inline constexpr std::uint32_t kBoxCancel = 2;
inline constexpr int kShowSoundVolume = 30;
inline constexpr std::uint32_t kDimOpacity = 128;

class MessageBox : public Control {
 public:
  ~MessageBox() override;

  // Builds the box from its section and shows it as the new modal top, a child of the root. `reserved` is
  // not used. Fails with the background's load failure (nothing is attached), or GFX_E_GENERIC without a
  // root.
  Result CreateFromSection(std::uint32_t id, std::u16string_view text, std::uint32_t flags,
                           std::uint32_t reserved, const config::ConfigSection* section);

  Result Draw(gfx::Surface& target, int originX, int originY, const Rect& clip) override;
  // The show sound plays on the first tick, when the box is first seen.
  Result Tick(std::uint32_t frame) override;
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;
  // Start or A answers OK; Escape or B answers Cancel when the box has it, else OK.
  Result KeyDown(int keyCode, std::uint32_t rawKey) override;
  // Goes without an answer: for an owner that is itself going before the box was answered.
  void Dismiss();

  AnimatedImage background;
  std::unique_ptr<gfx::AlphaFont> font;  // before `text`, which draws with it
  TextLabel text;
  Button okButton;
  Button cancelButton;
  std::uint32_t textColor = 0;
  sound::SoundClip showSound;
  std::int32_t shownTicks = 0;
  bool autoDestroy = false;

 private:
  void Close(std::uint32_t answer);
};

// Hands a box over to the tree with autoDestroy set: it is freed once a button has closed it (or when the
// tree is reset).
MessageBox* KeepUntilClosed(std::unique_ptr<MessageBox> box);

}  // namespace zelph::ui
