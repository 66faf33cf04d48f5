// MenuWindow: the configuration-driven screen window every full-screen screen is built on. It holds its
// decoration images, buttons that appear one after another, and a close button, and hands each button's
// click to its parent as the button's command.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "config/config_section.h"
#include "ui/animated_image.h"
#include "ui/button.h"
#include "ui/control.h"

namespace zelph::ui {

// AddImage: draw the image into the back surface once instead of keeping it.
inline constexpr std::uint32_t kBakeImage = 0x1000;
// Menu buttons: transparent, deferred click, frames loaded on demand.
inline constexpr std::uint32_t kMenuButtonFlags = 0x1402;
inline constexpr std::uint32_t kCloseButtonId = 20001;
inline constexpr std::int32_t kCloseButtonZOrder = 1100;

struct MenuButton {
  std::unique_ptr<Button> button;
  std::int32_t command = 0;   // sent to the window's parent when the button is clicked
  std::int32_t showTick = 0;  // the frame on which it appears
  bool autoShow = false;
  bool playSound = true;      // "play_sound": the menu click sound on press
};

class MenuWindow : public Control {
 public:
  ~MenuWindow() override;

  // Finds the window's section and reads "ButtonsShowDelayTicks" and "BetweenButtonsTicks" (default 0).
  // False when the section is missing (both delays stay 0).
  virtual bool LoadSection(std::string_view sectionName);
  // An animated image from the section, kept as a child; with kBakeImage drawn into the back surface at once
  // and dropped. Null when the section is missing, when baked, or when memory runs out.
  virtual AnimatedImage* AddImage(std::string_view sectionName, std::uint32_t imageFlags);
  // A hidden button from the section that raises `command`. Staggered buttons appear BetweenButtonsTicks
  // after the previous one, the others with it. Null when the section is missing.
  virtual Button* AddButton(std::string_view sectionName, std::int32_t command, bool autoShow, bool staggered);
  virtual Button* FindButton(std::uint32_t buttonId);
  virtual Result Reserved() { return S_OK; }
  // The "close_x_btn" button, when the GUI document has one: its click reaches the window's parent as
  // 32 from id 20001.
  virtual void AddCloseButton();
  // Hides every button and puts it back to its appear state, so they appear one after another again.
  virtual void ResetButtons();

  Result Tick(std::uint32_t frame) override;
  // Keys: the directions move the focus between the buttons that can be clicked, start or A presses the
  // focused one (the first without a focus) and clicks it on release, Escape or B the back button.
  Result KeyDown(int keyCode, std::uint32_t rawKey) override;
  Result KeyUp(int keyCode, std::uint32_t rawKey) override;
  // The focus frame around the focused button, once a key has moved it.
  Result DrawOver(gfx::Surface& target, int originX, int originY, const Rect& clip) override;
  // A press on the window's empty area is taken, so it never reaches what lies under the window.
  Result StylusDown(int x, int y, std::uint32_t extra) override;
  // 32 from a button: its command to the parent. 33: the menu click sound.
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;

  const MenuButton* Entry(std::uint32_t buttonId) const;
  const std::vector<MenuButton>& Buttons() const { return buttons; }

  const config::ConfigSection* section = nullptr;
  std::vector<MenuButton> buttons;
  std::vector<std::unique_ptr<AnimatedImage>> images;
  std::int32_t tickCount = 0;
  std::int32_t lastShowTick = 0;
  std::int32_t showDelay = 0;
  std::int32_t betweenDelay = 0;
  Button closeButton;
  std::int32_t nextButtonId = 0;
  std::int32_t nextImageId = 0;
  std::int32_t backCommand = 0;  // the command of the button Escape clicks; 0: none
  std::int32_t focusIndex = -1;  // the button the keys act on, an index into `buttons`
  std::int32_t keyPressIndex = -1;  // the button held down by a key

 protected:
  // Moves the focus `step` places along the clickable buttons, wrapping; the first such button when none
  // has it yet. False when no button can take it.
  bool MoveFocus(int step);
  // The focused entry, when it can be clicked now.
  MenuButton* FocusedEntry();
  // Presses an entry's button as a tap would, with the click sound.
  void PressByKey(std::int32_t index);

 private:
  // The frame a button appears on. Counting starts at 1, so a schedule that never reaches a button (a
  // showTick of 0 or below, or a lone button, whose showTick never raises lastShowTick) shows it on the
  // first tick instead of never.
  std::int32_t DueTick(const MenuButton& entry) const;
};

}  // namespace zelph::ui
