#include "manifest.h"

#include <charconv>

#include "config/text.h"

namespace zelph::tools {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// Splits off the next blank-separated word of `rest`.
std::string_view NextWord(std::string_view& rest) {
  std::size_t start = 0;
  while (start < rest.size() && IsSpace(rest[start])) ++start;
  std::size_t end = start;
  while (end < rest.size() && !IsSpace(rest[end])) ++end;
  std::string_view word = rest.substr(start, end - start);
  rest.remove_prefix(end);
  return word;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

bool ParseIdentifier(std::string_view text, std::uint32_t& id) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id, base);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

bool ParseManifest(std::string_view text, const std::filesystem::path& base, Manifest& manifest,
                   std::string& error) {
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    std::string_view line = config::TakeLine(text);
    std::string_view rest = line;
    std::string_view first = NextWord(rest);
    if (first.empty() || first[0] == '#' || first[0] == ';') continue;
    auto fail = [&](const std::string& what) {
      error = "line " + std::to_string(lineNumber) + ": " + what;
      return false;
    };

    if (first == "title") {
      manifest.title = std::string(Trim(rest));
      continue;
    }
    ManifestItem item;
    item.line = lineNumber;
    if (!ParseIdentifier(first, item.id) || item.id == 0) {
      return fail("\"" + std::string(first) + "\" is not a resource identifier (1 to 4294967295, or 0x hex)");
    }
    item.name = std::string(NextWord(rest));
    item.type = std::string(NextWord(rest));
    std::string_view file = Trim(rest);
    if (item.name.empty() || item.type.empty() || file.empty()) {
      return fail("expected: IDENTIFIER NAME TYPE FILE");
    }
    item.file = base / std::filesystem::path(std::string(file));
    manifest.items.push_back(std::move(item));
  }
  return true;
}

}  // namespace zelph::tools
