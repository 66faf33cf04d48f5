// "HighScores.sco": the text file through which the companion game shell lists this game's best scores. A
// header line, one "name|score|extra" line per row, best first, then the MD5 digest of all that followed by
// a salt, so that the shell can tell an edited file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zelph::game {

inline constexpr char kScoreFileName[] = "HighScores.sco";
inline constexpr char kScoreFileSalt[] = "Stellarwick";
inline constexpr std::int32_t kScoreFileHeader1 = 1004;
inline constexpr std::int32_t kScoreFileHeader2 = 10;
inline constexpr char kScoreFileGameName[] = "Orv Zelph II";
inline constexpr std::size_t kScoreFileCapacity = 10;
// The full path must be shorter than this.
inline constexpr std::size_t kMaxScorePathLength = 259;

// WriteFile results.
inline constexpr int kScoreFileWritten = 0;
inline constexpr int kScoreFilePathTooLong = 1;
inline constexpr int kScoreFileCannotCreate = 4;
inline constexpr int kScoreFileWriteFailed = 5;

struct ScoreRow {
  std::u16string name;
  std::int32_t score = 0;
  std::u16string extra;
};

class ScoreFile {
 public:
  explicit ScoreFile(std::string_view salt, std::size_t capacity = kScoreFileCapacity)
      : salt(salt), capacity(capacity) {}

  // Refused (false) for an empty name, a name holding "|" or a control character (either would break the
  // file's lines), a negative score, or a full file whose last row is not below the score.
  bool AddRow(std::u16string_view name, std::int32_t score, std::u16string_view extra);
  // Highest score first; rows beyond the capacity go.
  void SortAndTrim();
  // The whole file: header, rows and digest, with no line feed after the digest.
  std::string Content() const;
  // Writes `folder`/HighScores.sco in one step (an old file is replaced whole or not at all).
  int WriteFile(const std::filesystem::path& folder) const;

  std::string salt;
  std::size_t capacity;
  std::int32_t header1 = kScoreFileHeader1;
  std::int32_t header2 = kScoreFileHeader2;
  std::string gameName = kScoreFileGameName;
  bool withDigest = true;
  std::vector<ScoreRow> rows;
};

// The 32 lower-case hex digits of the MD5 of `bytes`.
std::string Md5Hex(std::string_view bytes);

}  // namespace zelph::game
