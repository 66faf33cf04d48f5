#include "game/saved_game.h"

#include <array>

namespace zelph::game {

namespace {

constexpr std::size_t kSectionRoom = 128;

}  // namespace

bool HasSavedGame(const config::ConfigDocument& settings) {
  const config::ConfigSection* saved = settings.FindSection(kSavedGameSection);
  return saved && saved->GetRaw(kSavedGameKey) != nullptr;
}

void DeleteSavedGame(config::ConfigDocument& settings) {
  // A hand-edited file may hold the section twice; none may survive, or the old one would be continued.
  for (int i = settings.FindSectionIndex(kSavedGameSection); i >= 0; i = settings.FindSectionIndex(kSavedGameSection)) {
    if (settings.RemoveSection(i) == 0) break;
  }
}

std::optional<SavedGame> LoadSavedGame(const config::ConfigDocument& settings) {
  const config::ConfigSection* saved = settings.FindSection(kSavedGameSection);
  std::array<std::int32_t, 8> values{};
  if (!saved || !saved->GetEightInts(kSavedGameKey, values)) return std::nullopt;
  const SavedGame record{values[0], values[1], values[2], values[3]};
  // A record no game can have been saved with (edited by hand, or damaged) is no saved game.
  if (record.difficulty < 1 || record.level < 1 || record.score < 0 || record.lives < 1) return std::nullopt;
  return record;
}

bool SaveGame(config::ConfigDocument& settings, int source, const SavedGame& record) {
  DeleteSavedGame(settings);
  config::ConfigSection* section = settings.SectionAt(settings.AddSection(source, kSavedGameSection, kSectionRoom));
  if (!section) return false;
  const std::array<std::int32_t, 8> values{record.difficulty, record.level, record.score, record.lives, 0, 0, 0, 0};
  return section->SetEightInts(kSavedGameKey, values) == config::kSetOk;
}

}  // namespace zelph::game
