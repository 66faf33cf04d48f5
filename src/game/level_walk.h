// The walk through a game's levels: a new game, the next level, and continuing a saved game. The game
// screen owns one and wires its hooks (the next-level window, the saved game).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "config/config_document.h"
#include "game/game_world.h"
#include "game/saved_game.h"
#include "platform/result.h"

namespace zelph::game {

inline constexpr Result kNoFurtherLevel = Code(0x0F000001);
inline constexpr std::int32_t kNewGameLives = 5;

class LevelWalk {
 public:
  explicit LevelWalk(GameWorld& world) : world_(world) {}

  Result NewGame(std::int32_t difficulty, std::int32_t level);
  // kNoFurtherLevel, changing nothing, when the finished level was the last of its difficulty.
  Result NextLevel();
  // 0xC8660001 when no game is saved.
  Result ContinueGame();

  // The document the levels come from (the game document unless a test hands its own).
  const config::ConfigDocument* document = nullptr;
  // Shows the number of the level about to be loaded (the next-level window).
  std::function<void(std::int32_t)> showLevelNumber;
  std::function<std::optional<SavedGame>()> readSavedGame;
  std::function<void()> deleteSavedGame;

  std::int32_t difficulty = 1;
  std::int32_t level = 1;
  // "dif%d_level" of the difficulty; only its first number, the last level, is used.
  std::array<std::int32_t, 4> levelsOfDifficulty{};
  bool levelLoaded = false;

 private:
  const config::ConfigDocument& Document() const;
  // Reads "all_levels" for the difficulty: the last level, or none when the section is missing.
  std::optional<std::int32_t> LastLevel();
  Result Load();

  GameWorld& world_;
  std::optional<std::int32_t> lastLevel_;
};

}  // namespace zelph::game
