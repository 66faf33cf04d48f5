#include "doc_variants.h"

#include <cctype>
#include <cstdlib>
#include <vector>

namespace zelph::assetgen {
namespace {

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// "12_type": an item of a scrolling page.
bool IsItemTypeKey(std::string_view key) {
  if (!EndsWith(key, "_type") || key.size() == 5) return false;
  for (char c : key.substr(0, key.size() - 5)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// "line_3", "b_pnt_0", "coll_rect_5": a name followed by a number.
bool IsNumbered(std::string_view key, std::string_view name) {
  if (!StartsWith(key, name) || key.size() == name.size()) return false;
  for (char c : key.substr(name.size()))
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

int CountNumbers(std::string_view value) {
  int count = 0;
  for (std::size_t i = 0; i < value.size(); ++i)
    if (std::isdigit(static_cast<unsigned char>(value[i])) && (i == 0 || !std::isdigit(static_cast<unsigned char>(value[i - 1]))))
      ++count;
  return count;
}

// Every number from `first` on (a point list after its count, a speed pair).
std::vector<int> From(int first, int count) {
  std::vector<int> out;
  for (int i = first; i < count; ++i) out.push_back(i);
  return out;
}

// The game document's field geometry: cells of the field, offsets and sizes of the objects, speeds in
// cells per frame.
std::vector<int> GameCoordinatePositions(std::string_view key, std::string_view value) {
  const int count = CountNumbers(value);
  if (key == "game_field" || key == "laser_start_pnt" || key == "fill_start_pnt" || key == "speed_rand" ||
      key == "line_thick" || IsNumbered(key, "line_") || IsNumbered(key, "coll_rect_"))
    return From(0, count);
  if (key == "aprox_figure_param") return {0, 1, 2, 3};
  // A level's positions: a negative one is drawn at random and stays as written.
  if ((StartsWith(key, "en_") && EndsWith(key, "_xy")) || (StartsWith(key, "figure_") && EndsWith(key, "_pnt_xy")))
    return From(0, count);
  // Probe lists (a count, then pairs) or, for an obstacle, four edges.
  if (IsNumbered(key, "b_frame_") || IsNumbered(key, "b_pnt_") || key == "b_pnt1" || key == "b_pnt2")
    return count == 4 ? From(0, 4) : From(1, count);
  return {};
}

// Which of the value's numbers (0-based) are coordinates; empty: none.
std::vector<int> CoordinatePositions(std::string_view key, std::string_view value) {
  if (key == "rect" || EndsWith(key, "_rect") || key == "text_center") return {0, 1, 2, 3};
  if (std::vector<int> game = GameCoordinatePositions(key, value); !game.empty()) return game;
  if (IsItemTypeKey(key)) {
    const int type = std::atoi(std::string(value).c_str());
    if (type == 1) return {2, 3, 4, 5};  // text: x, gap above, width, height
    if (type == 2) return {1, 2};        // picture: x, gap above
  }
  return {};
}

// The value with the numbers at `positions` halved (towards zero); other text is kept as it stands. With
// `keepNegative`, negative numbers (a level's "at random") are not halved.
bool HalveNumbers(std::string_view value, const std::vector<int>& positions, bool keepNegative, std::string& out) {
  out.clear();
  int index = 0;
  std::size_t i = 0;
  while (i < value.size()) {
    const bool sign = value[i] == '-' && i + 1 < value.size() && std::isdigit(static_cast<unsigned char>(value[i + 1]));
    if (!sign && !std::isdigit(static_cast<unsigned char>(value[i]))) {
      out += value[i++];
      continue;
    }
    std::size_t end = i + 1;
    while (end < value.size() && std::isdigit(static_cast<unsigned char>(value[end]))) ++end;
    const std::string number(value.substr(i, end - i));
    if (number.size() > 9) return false;
    const long n = std::strtol(number.c_str(), nullptr, 10);
    bool halve = !(keepNegative && n < 0);
    bool listed = false;
    for (int p : positions) listed = listed || p == index;
    halve = halve && listed;
    out += halve ? std::to_string(n / 2) : number;
    ++index;
    i = end;
  }
  return true;
}

}  // namespace

bool DeriveDocument(std::string_view source, Build build, std::string& out, std::string& error) {
  out.clear();
  int lineNumber = 0;
  while (!source.empty()) {
    const std::size_t newline = source.find('\n');
    std::string_view line = source.substr(0, newline);
    source = newline == std::string_view::npos ? std::string_view() : source.substr(newline + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fail = [&](const char* what) {
      error = "line " + std::to_string(lineNumber) + ": " + what;
      return false;
    };
    if (line.empty()) {
      out.push_back('\n');
      continue;
    }
    // Per-build keys: kept as written, without the prefix, in their own build only.
    bool perBuild = false;
    for (auto [prefix, owner] : {std::pair{std::string_view("vga:"), Build::kVga}, {"qvga:", Build::kQvga}}) {
      if (line.substr(0, prefix.size()) != prefix) continue;
      line.remove_prefix(prefix.size());
      if (line.empty() || line.front() == '=' || line.find('=') == std::string_view::npos) {
        return fail("a per-build line must hold a key");
      }
      if (owner == build) out.append(line).push_back('\n');
      perBuild = true;
      break;
    }
    if (perBuild) continue;
    const std::size_t equals = line.find('=');
    if (line.front() == ';' || line.front() == '[' || equals == std::string_view::npos) {
      out.append(line).push_back('\n');
      continue;
    }
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    const std::vector<int> positions = CoordinatePositions(key, value);
    std::string halved(value);
    // Checked for both builds, so that a source either serves both or neither.
    const bool isPosition = EndsWith(key, "_xy");
    if (!positions.empty() && !HalveNumbers(value, positions, isPosition, halved)) return fail("number too long");
    if (build == Build::kVga) halved = value;
    out.append(key).append("=").append(halved).push_back('\n');
  }
  return true;
}

}  // namespace zelph::assetgen
