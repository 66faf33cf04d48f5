// The screens after play: you lose (a new game or the main menu) and you win (moves on by itself after
// "show_timer" seconds, or at the tap on its button).
#pragma once

#include <cstdint>

#include "sound/sound_set.h"
#include "ui/menu_window.h"

namespace zelph::screens {

inline constexpr std::int32_t kDefaultShowSeconds = 5;
inline constexpr std::int32_t kScreenFramesPerSecond = 30;
inline constexpr std::uint32_t kWinDarkening = 128;

class YouLoseWindow : public ui::MenuWindow {
 public:
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  sound::SoundSet sounds;
};

class YouWinWindow : public ui::MenuWindow {
 public:
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  // Counts the shown time down and sends 20044 once when it runs out.
  Result Tick(std::uint32_t frame) override;

  sound::SoundSet sounds;
  std::int32_t showTimer = kDefaultShowSeconds * kScreenFramesPerSecond;
  std::int32_t framesPerSecond = kScreenFramesPerSecond;
};

}  // namespace zelph::screens
