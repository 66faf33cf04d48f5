#include "game/high_score_table.h"

#include <algorithm>
#include <cstdio>

#include "game/score_file.h"

namespace zelph::game {

namespace {

constexpr std::size_t kSectionRoom = 512;

std::string Key(std::size_t n, const char* suffix) {
  char key[32];
  std::snprintf(key, sizeof key, "%zu_%s", n, suffix);
  return key;
}

}  // namespace

void HighScoreTable::Insert(std::u16string_view name, std::int32_t score) {
  if (score == 0) return;
  const auto at = std::find_if(entries_.begin(), entries_.end(), [score](const HighScoreEntry& e) { return e.score <= score; });
  if (at - entries_.begin() >= static_cast<std::ptrdiff_t>(kHighScoreEntries)) return;
  entries_.insert(at, HighScoreEntry{std::u16string(name), score});
  if (entries_.size() > kHighScoreEntries) entries_.resize(kHighScoreEntries);
}

bool HighScoreTable::Qualifies(std::int32_t score) const {
  if (score == 0) return false;
  if (entries_.size() < kHighScoreEntries) return true;
  return std::any_of(entries_.begin(), entries_.end(), [score](const HighScoreEntry& e) { return e.score < score; });
}

bool HighScoreTable::GetEntry(std::size_t index, std::u16string& name, std::int32_t& score) const {
  if (index >= entries_.size()) return false;
  name = entries_[index].name;
  score = entries_[index].score;
  return true;
}

void HighScoreTable::LoadScores(const config::ConfigDocument& settings) {
  entries_.clear();
  const config::ConfigSection* section = settings.FindSection(kHighScoresSection);
  if (!section) return;
  const std::int32_t count = std::clamp<std::int32_t>(section->GetInt("count", 0), 0, kHighScoreEntries);
  for (std::size_t n = static_cast<std::size_t>(count); n >= 1; --n) {
    std::u16string name;
    if (section->GetString(Key(n, "name"), name)) Insert(name, section->GetInt(Key(n, "score"), 0));
  }
}

bool HighScoreTable::StoreScores(config::ConfigDocument& settings, int source,
                                 const std::filesystem::path& folder) const {
  for (int i = settings.FindSectionIndex(kHighScoresSection); i >= 0; i = settings.FindSectionIndex(kHighScoresSection)) {
    if (settings.RemoveSection(i) == 0) break;
  }
  config::ConfigSection* section = settings.SectionAt(settings.AddSection(source, kHighScoresSection, kSectionRoom));
  const std::size_t count = std::min(entries_.size(), kHighScoreEntries);
  bool stored = section && section->SetInt("count", static_cast<std::int32_t>(count)) == config::kSetOk;
  ScoreFile file(kScoreFileSalt);
  for (std::size_t n = 1; n <= count; ++n) {
    const HighScoreEntry& entry = entries_[n - 1];
    if (section) {
      stored = section->SetWideString(Key(n, "name").c_str(), entry.name) == config::kSetOk && stored;
      stored = section->SetInt(Key(n, "score").c_str(), entry.score) == config::kSetOk && stored;
    }
    file.AddRow(entry.name, entry.score, u"");
  }
  file.SortAndTrim();
  file.WriteFile(folder);
  return stored;
}

}  // namespace zelph::game
