#include "game/score_file.h"

#include <md5.h>

#include <algorithm>
#include <cstdio>
#include <span>

#include "config/text.h"
#include "platform/file_io.h"

namespace zelph::game {

namespace {

constexpr char16_t kSeparator = u'|';

}  // namespace

std::string Md5Hex(std::string_view bytes) {
  MD5_CTX context;
  MD5Init(&context);
  MD5Update(&context, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  std::uint8_t digest[MD5_DIGEST_LENGTH];
  MD5Final(digest, &context);
  std::string hex;
  char pair[3];
  for (std::uint8_t b : digest) {
    std::snprintf(pair, sizeof pair, "%02x", b);
    hex += pair;
  }
  return hex;
}

bool ScoreFile::AddRow(std::u16string_view name, std::int32_t score, std::u16string_view extra) {
  if (name.empty() || score < 0) return false;
  if (std::any_of(name.begin(), name.end(), [](char16_t c) { return c == kSeparator || c < u' '; })) return false;
  if (rows.size() >= capacity && (rows.empty() || rows.back().score >= score)) return false;
  rows.push_back({std::u16string(name), score, std::u16string(extra)});
  return true;
}

void ScoreFile::SortAndTrim() {
  std::stable_sort(rows.begin(), rows.end(), [](const ScoreRow& a, const ScoreRow& b) { return a.score > b.score; });
  if (rows.size() > capacity) rows.resize(capacity);
}

std::string ScoreFile::Content() const {
  std::string text = std::to_string(header1) + "|" + std::to_string(header2) + "|" + gameName + "\n";
  for (const ScoreRow& row : rows) {
    text += config::WideToAnsi(row.name) + "|" + std::to_string(row.score) + "|" + config::WideToAnsi(row.extra) + "\n";
  }
  if (withDigest) text += Md5Hex(text + salt);
  return text;
}

int ScoreFile::WriteFile(const std::filesystem::path& folder) const {
  std::string path = folder.string();
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  path += kScoreFileName;
  if (path.size() >= kMaxScorePathLength) return kScoreFilePathTooLong;
  const std::string content = Content();
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(content.data()), content.size());
  switch (platform::TryWriteFileAtomically(path, bytes)) {
    case platform::AtomicWrite::kDone:
      return kScoreFileWritten;
    case platform::AtomicWrite::kWriteFailed:
      return kScoreFileWriteFailed;
    default:
      return kScoreFileCannotCreate;
  }
}

}  // namespace zelph::game
