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

// Which of the value's numbers (0-based) are coordinates; empty: none.
std::vector<int> CoordinatePositions(std::string_view key, std::string_view value) {
  if (key == "rect" || EndsWith(key, "_rect") || key == "text_center") return {0, 1, 2, 3};
  if (IsItemTypeKey(key)) {
    const int type = std::atoi(std::string(value).c_str());
    if (type == 1) return {2, 3, 4, 5};  // text: x, gap above, width, height
    if (type == 2) return {1, 2};        // picture: x, gap above
  }
  return {};
}

// The value with the numbers at `positions` halved (towards zero); other text is kept as it stands.
bool HalveNumbers(std::string_view value, const std::vector<int>& positions, std::string& out) {
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
    bool halve = false;
    for (int p : positions) halve = halve || p == index;
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
    if (!positions.empty() && !HalveNumbers(value, positions, halved)) return fail("number too long");
    if (build == Build::kVga) halved = value;
    out.append(key).append("=").append(halved).push_back('\n');
  }
  return true;
}

}  // namespace zelph::assetgen
