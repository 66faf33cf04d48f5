// The five best scores with the players' names, best first. Kept in the "high_scores" section of the
// user-settings document and, whenever stored, also written to "HighScores.sco" for the companion shell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_document.h"

namespace zelph::game {

inline constexpr std::size_t kHighScoreEntries = 5;
inline constexpr char kHighScoresSection[] = "high_scores";

struct HighScoreEntry {
  std::u16string name;
  std::int32_t score = 0;
};

class HighScoreTable {
 public:
  // A score of 0 is ignored. A score equal to an entry goes before it; past the fifth place nothing is kept.
  void Insert(std::u16string_view name, std::int32_t score);
  // Whether a finished game's score earns a place: never for 0, always while the table has room, otherwise
  // only when it beats (not ties) some entry.
  bool Qualifies(std::int32_t score) const;
  // False when there is no entry at that index.
  bool GetEntry(std::size_t index, std::u16string& name, std::int32_t& score) const;
  const std::vector<HighScoreEntry>& Entries() const { return entries_; }

  // Replaces the table with the document's "high_scores" (empty without one): at most five rows, read from
  // the last to the first so that equal scores keep their stored order.
  void LoadScores(const config::ConfigDocument& settings);
  // Writes "high_scores" anew into `source` of the document, then "HighScores.sco" into `folder` (a file that
  // cannot be written is skipped: the table's own storage does not depend on it). False when the section
  // could not be written.
  bool StoreScores(config::ConfigDocument& settings, int source, const std::filesystem::path& folder) const;

 private:
  std::vector<HighScoreEntry> entries_;
};

}  // namespace zelph::game
