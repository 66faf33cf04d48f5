#include "screens/result_screens.h"

#include "gfx/blit.h"
#include "screens/menu_layouts.h"
#include "screens/screen_commands.h"
#include "ui/control_tree.h"

namespace zelph::screens {

namespace {

// The screen's one sound, played once over whatever else was playing; silent when it does not load.
void PlayOnce(sound::SoundSet& sounds, const char* section) {
  sounds.AddSound(0, section, false);
  sounds.PlaySound(0, 1, false, true);
}

}  // namespace

Result YouLoseWindow::Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) {
  const Result created = BuildMenu(*this, *LayoutFor(kYouLoseId), id, rect, parent, flags);
  if (created < 0) return created;
  PlayOnce(sounds, "you_lose_sound");
  return S_OK;
}

Result YouWinWindow::Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) {
  const Result created = BuildMenu(*this, *LayoutFor(kYouWinId), id, rect, parent, flags);
  if (created < 0) return created;
  // A tap moves on at once: the button is there from the start and clicks without waiting for its animation.
  if (!buttons.empty()) {
    ui::Button& next = *buttons.front().button;
    next.visible = true;
    next.flags &= ~ui::kButtonDeferredClick;
  }
  if (section) showTimer = section->GetInt("show_timer", kDefaultShowSeconds) * framesPerSecond;
  // The won field stays in the back surface, darkened once under the sign.
  if (gfx::Surface* back = ui::BackSurface()) gfx::FillRect(*back, nullptr, 0, gfx::kDrawOpacity, &kWinDarkening);
  PlayOnce(sounds, "you_win_sound");
  return S_OK;
}

Result YouWinWindow::Tick(std::uint32_t frame) {
  const Result result = MenuWindow::Tick(frame);
  if (showTimer > 0) {
    --showTimer;
  } else if (showTimer == 0) {
    showTimer = -1;
    SendToParent(static_cast<std::uint32_t>(kCmdWinNext), 0, 0);
  }
  return result;
}

}  // namespace zelph::screens
