#include "app/play_root.h"

#include "game/level_walk.h"
#include "gfx/blit.h"

namespace zelph::app {

Result PlayRoot::Start(const gfx::Rect& screen, std::int32_t difficulty, std::int32_t level) {
  difficulty_ = difficulty;
  if (Result r = Control::Create(1, screen, nullptr, 0); Failed(r)) return r;
  if (Result r = game_.Create(screens::kGameScreenId, screen, this, 0); Failed(r)) return r;
  return game_.NewGame(difficulty, level);
}

Result PlayRoot::Draw(gfx::Surface& target, int originX, int originY, const ui::Rect&) {
  const gfx::Rect area{originX + rect.left, originY + rect.top, originX + rect.right, originY + rect.bottom};
  return gfx::FillRect(target, &area, 0);
}

Result PlayRoot::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  switch (code) {
    case screens::kCommandLevelWon:
      if (game_.NextLevel() == game::kNoFurtherLevel) game_.NewGame(difficulty_, 1);
      return ui::kConsumed;
    case screens::kSignalGameOver:
      game_.ResetWorld();
      game_.NewGame(difficulty_, 1);
      return ui::kConsumed;
    case screens::kMenuButtonId:
      request = ui::kRequestQuit;
      return ui::kConsumed;
    default:
      return Control::Notify(code, argument, senderId);
  }
}

}  // namespace zelph::app
