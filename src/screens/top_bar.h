// The bar above the field: its picture, the menu button, the score and the lives, and the laser emitter.
#pragma once

#include <cstdint>
#include <memory>

#include "game/game_world.h"
#include "gfx/alpha_font.h"
#include "gfx/sprite.h"
#include "ui/button.h"
#include "ui/control.h"
#include "ui/text_label.h"

namespace zelph::screens {

inline constexpr std::uint32_t kMenuButtonId = 20003;
inline constexpr std::uint32_t kScoreLabelId = 20004;
inline constexpr std::uint32_t kLivesLabelId = 20005;
inline constexpr std::uint32_t kQuitButtonId = 20002;

// Whether the GUI documents came from a pack (without them no game screen can be built).
bool GuiPackLoaded();

class TopBar : public ui::Control {
 public:
  explicit TopBar(game::GameWorld& world) : world_(world) {}

  // From GUI section "game_menu_top" (its "rect" when `rect` is null). 0xC8661000 without the GUI pack,
  // 0xC8660070 without the section, 0xC8660001 without its picture.
  Result CreateBar(std::uint32_t id, const ui::Rect* rect, ui::Control* parent, std::uint32_t flags);

  Result Draw(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override;
  Result Tick(std::uint32_t frame) override;
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;

  std::int32_t shownScore = 0;
  std::int32_t shownLives = 0;
  ui::TextLabel& ScoreLabel() { return score_; }
  ui::TextLabel& LivesLabel() { return lives_; }

 private:
  game::GameWorld& world_;
  gfx::Sprite image_;
  ui::Button menu_;
  ui::TextLabel score_;
  ui::TextLabel lives_;
  std::unique_ptr<gfx::AlphaFont> scoreFont_;
  std::unique_ptr<gfx::AlphaFont> livesFont_;
};

}  // namespace zelph::screens
