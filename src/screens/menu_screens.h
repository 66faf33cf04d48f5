// The menus: the main menu and the continue menu are plain screens of the table; the options screen adds
// the two volume bars, the in-game menu asks before it ends a game.
#pragma once

#include <cstdint>
#include <functional>

#include "gfx/sprite.h"
#include "screens/menu_layouts.h"
#include "ui/button.h"
#include "ui/menu_window.h"

namespace zelph::ui {
class MessageBox;
}  // namespace zelph::ui

namespace zelph::screens {

// A menu that is exactly its row of the table (main menu, continue menu).
class PlainMenuWindow : public ui::MenuWindow {
 public:
  explicit PlainMenuWindow(std::uint32_t screenId) : screenId_(screenId) {}
  // GFX_E_GENERIC for a screen id that has no layout.
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;

 private:
  std::uint32_t screenId_;
};

// The music volume above which menu music plays.
inline constexpr int kMusicAudibleAbove = 4;
// How far one key press moves a volume bar.
inline constexpr int kVolumeKeyStep = 4;

class OptionsWindow : public ui::MenuWindow {
 public:
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  // The bars, once their volume buttons have appeared, filled as far as the speaker's volumes.
  Result DrawOver(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override;
  Result StylusDown(int x, int y, std::uint32_t extra) override;
  Result StylusMove(int x, int y, std::uint32_t extra) override;
  Result StylusUp(int x, int y, std::uint32_t extra) override;
  // Left and right on the focused sound or music button turn its volume down or up a step.
  Result KeyDown(int keyCode, std::uint32_t rawKey) override;

  std::int32_t soundVolume = 64;
  std::int32_t musicVolume = 64;
  ui::Rect soundRect, musicRect;
  gfx::Sprite volumeBack, soundBar, musicBar;
  bool draggingSound = false, draggingMusic = false;
  ui::Button* soundVolumeButton = nullptr;
  ui::Button* musicVolumeButton = nullptr;
  // Starts the menu music (the main window's); called whenever the music volume is set above 4.
  std::function<void()> startMenuMusic;

 private:
  void SetSound(int x);
  void SetMusic(int x);
  void SetMusicVolume(int volume);
  void DrawBar(gfx::Surface& target, int x, int y, const ui::Button* button, const ui::Rect& area,
               gfx::Sprite& bar, int volume);
};

inline constexpr std::uint32_t kPlayAgainQueryId = 0x2000001;
inline constexpr std::uint32_t kMainMenuQueryId = 0x2000002;
inline constexpr std::uint32_t kQueryFlags = 0x2030200;
inline constexpr char16_t kQueryText[] = u"This will end \\nyour current game!\\nAre you sure?";

class InGameMenuWindow : public ui::MenuWindow {
 public:
  // A question still open goes with the menu (the menu can be replaced under it, by a lost focus say).
  ~InGameMenuWindow() override;
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  // Play again and main menu ask first; OK sends their command, Cancel lets the button appear again.
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;

  ui::Button* playAgainButton = nullptr;
  ui::Button* mainMenuButton = nullptr;

 private:
  void Ask(std::uint32_t queryId);
  ui::MessageBox* question_ = nullptr;
};

// The volume a tap at x sets on a bar spanning [left, right]: 0 at the left edge, 64 at the right.
int VolumeAt(int x, const ui::Rect& bar);

}  // namespace zelph::screens
