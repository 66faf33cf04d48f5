// The one saved game: the level a game was at and the score and lives it had when that level began, kept
// as the "game_save" section of the user-settings document so that play can be continued after a restart.
#pragma once

#include <cstdint>
#include <optional>

#include "config/config_document.h"

namespace zelph::game {

struct SavedGame {
  std::int32_t difficulty = 1;
  std::int32_t level = 1;
  std::int32_t score = 0;
  std::int32_t lives = 0;
};

inline constexpr char kSavedGameSection[] = "game_save";
inline constexpr char kSavedGameKey[] = "param";

// A "game_save" section holding "param".
bool HasSavedGame(const config::ConfigDocument& settings);
// Removes every "game_save" section.
void DeleteSavedGame(config::ConfigDocument& settings);
// The record, or none when there is no "param" or it does not hold numbers.
std::optional<SavedGame> LoadSavedGame(const config::ConfigDocument& settings);
// Replaces the record with a new "game_save" section in `source`; false when it cannot be written.
bool SaveGame(config::ConfigDocument& settings, int source, const SavedGame& record);

}  // namespace zelph::game
