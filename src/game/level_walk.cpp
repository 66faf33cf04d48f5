#include "game/level_walk.h"

#include <cstdio>

#include "config/resources.h"
#include "gfx/gfx_result.h"

namespace zelph::game {

const config::ConfigDocument& LevelWalk::Document() const { return document ? *document : config::GameDocument(); }

std::optional<std::int32_t> LevelWalk::LastLevel() {
  const config::ConfigSection* all = Document().FindSection("all_levels");
  if (!all) return std::nullopt;
  char key[32];
  std::snprintf(key, sizeof key, "dif%d_level", difficulty);
  levelsOfDifficulty = {};
  all->GetQuad(key, levelsOfDifficulty);
  return levelsOfDifficulty[0];
}

Result LevelWalk::Load() {
  if (showLevelNumber) showLevelNumber(level);
  world_.Reset();
  const config::ConfigDocument& doc = Document();
  Result r = world_.LoadFieldLayout(doc.FindSection("game_filed"));
  if (Succeeded(r)) r = world_.LoadLevel(doc, difficulty, level);
  levelLoaded = Succeeded(r);
  return r;
}

Result LevelWalk::NewGame(std::int32_t newDifficulty, std::int32_t newLevel) {
  if (deleteSavedGame) deleteSavedGame();
  difficulty = newDifficulty;
  level = newLevel;
  world_.lives = kNewGameLives;
  lastLevel_ = LastLevel();
  if (lastLevel_) {
    if (level > *lastLevel_) level = *lastLevel_;
    const config::ConfigSection* all = Document().FindSection("all_levels");
    world_.score = world_.levelStartScore = all->GetInt("start_score", 0);
    world_.lives = world_.levelStartLives = all->GetInt("start_lifes", 0);
  }
  return Load();
}

Result LevelWalk::NextLevel() {
  if (lastLevel_ && level + 1 > *lastLevel_) return kNoFurtherLevel;
  ++level;
  const Result r = Load();
  world_.levelStartScore = world_.score;
  world_.levelStartLives = world_.lives;
  return r;
}

Result LevelWalk::ContinueGame() {
  const std::optional<SavedGame> saved = readSavedGame ? readSavedGame() : std::nullopt;
  if (!saved) return gfx::GFX_E_GENERIC;
  difficulty = saved->difficulty;
  level = saved->level;
  world_.score = world_.levelStartScore = saved->score;
  world_.lives = world_.levelStartLives = saved->lives;
  lastLevel_ = LastLevel();
  if (lastLevel_ && level > *lastLevel_) level = *lastLevel_;
  return Load();
}

}  // namespace zelph::game
