// The screen a level is played on: the world, the top bar above it and the next-level board. It forwards
// keys and the stylus to the head, ticks the world and tells the main window when the level is won or the
// last life is gone.
#pragma once

#include <cstdint>
#include <functional>

#include "game/game_world.h"
#include "game/level_walk.h"
#include "screens/next_level_window.h"
#include "screens/top_bar.h"
#include "ui/control.h"

namespace zelph::screens {

inline constexpr std::uint32_t kGameScreenId = 20011;
inline constexpr std::uint32_t kTopBarId = 99861;
inline constexpr std::uint32_t kCommandLevelWon = 20006;
inline constexpr std::uint32_t kSignalGameOver = 0x0F000002;

class GameScreen : public ui::Control {
 public:
  GameScreen();
  ~GameScreen() override;

  // 0xC8661000 without the GUI pack.
  Result Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) override;
  Result Draw(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override;
  Result DrawOver(gfx::Surface& target, int originX, int originY, const ui::Rect& clip) override;
  Result Tick(std::uint32_t frame) override;
  Result KeyDown(int keyCode, std::uint32_t rawKey) override;
  Result KeyUp(int keyCode, std::uint32_t rawKey) override;
  Result StylusDown(int x, int y, std::uint32_t extra) override;
  Result StylusUp(int x, int y, std::uint32_t extra) override;
  Result StylusDoubleClick(int x, int y, std::uint32_t extra) override;
  Result StylusMove(int x, int y, std::uint32_t extra) override;
  Result Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) override;

  Result NewGame(std::int32_t difficulty, std::int32_t level);
  Result NextLevel();
  Result ContinueGame();
  // The game is over or abandoned: an empty world, and nothing left to save or continue.
  void ResetWorld();
  void ResumePlay();
  void PausePlay() { world.PauseSounds(); }
  // The score gained since the last call (never negative), for the plug-in data.
  std::int32_t TakeScoreGain();

  game::GameWorld world;
  game::LevelWalk walk{world};
  TopBar topBar{world};
  NextLevelWindow nextLevel;
  std::int32_t reportedScore = 0;
  // Saving the game in progress when the screen goes (the saved game's owner installs it).
  std::function<void(GameScreen&)> saveGame;
  // The game music when play resumes (the screen controller installs it).
  std::function<void()> playGameMusic;

 private:
  // Stylus points inside "stylus_rect" (edges included) as grid cells; false elsewhere or without a head.
  bool ToCell(int& x, int& y) const;
  void TakeFocus();
};

}  // namespace zelph::screens
