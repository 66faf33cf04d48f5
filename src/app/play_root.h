// The tester's shortcut into a game: a root holding only the game screen, which starts a new game at the
// chosen level and answers the screen's signals itself (the next level when one is won, a new game when
// the last is won or the lives run out, quitting from the menu button).
#pragma once

#include <cstdint>

#include "screens/game_screen.h"
#include "ui/control.h"

namespace zelph::app {

class PlayRoot : public ui::Control {
 public:
  // Fails when the game screen cannot be built or the level cannot be loaded.
  Result Start(const gfx::Rect& screen, std::int32_t difficulty, std::int32_t level);
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;
  // Black behind the game screen, which covers only the field and the bar.
  Result Draw(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override;

  screens::GameScreen& Game() { return game_; }

 private:
  screens::GameScreen game_;
  std::int32_t difficulty_ = 1;
};

}  // namespace zelph::app
