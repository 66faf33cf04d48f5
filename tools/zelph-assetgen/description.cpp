#include "description.h"

#include <charconv>
#include <set>

namespace zelph::assetgen {

namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool ParseNumber(std::string_view text, long long& out) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  if (text.empty()) return false;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out, base);
  return ec == std::errc() && ptr == text.data() + text.size();
}

// Splits a line into words; quoted parts may hold spaces. False on an unterminated quote.
bool SplitWords(std::string_view line, std::vector<std::string>& words) {
  words.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size() || line[i] == '#') break;
    std::string word;
    bool quoted = false;
    while (i < line.size()) {
      const char c = line[i];
      if (quoted) {
        if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
          word += line[i + 1];
          i += 2;
          continue;
        }
        if (c == '"')
          quoted = false;
        else
          word += c;
        ++i;
        continue;
      }
      if (c == ' ' || c == '\t') break;
      if (c == '"')
        quoted = true;
      else
        word += c;
      ++i;
    }
    if (quoted) return false;
    words.push_back(std::move(word));
  }
  return true;
}

}  // namespace

bool ParseDescription(std::string_view text, std::vector<Item>& items, std::string& error) {
  items.clear();
  std::set<std::uint32_t> ids;
  std::set<std::string> names;
  int lineNumber = 0;
  std::vector<std::string> words;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    auto fail = [&](const std::string& what) {
      error = "line " + std::to_string(lineNumber) + ": " + what;
      return false;
    };
    if (!SplitWords(line, words)) return fail("unterminated quote");
    if (words.empty()) continue;
    if (words.size() < 3) return fail("expected an identifier, a name and a kind");
    Item item;
    item.line = lineNumber;
    long long id = 0;
    if (!ParseNumber(words[0], id) || id <= 0 || id > 0xFFFFFFFFLL)
      return fail("bad identifier \"" + words[0] + "\"");
    item.id = static_cast<std::uint32_t>(id);
    if (!ids.insert(item.id).second) return fail("identifier " + words[0] + " used twice");
    item.name = words[1];
    if (item.name.empty() || item.name.size() > 48) return fail("a name must have 1 to 48 characters");
    for (char c : item.name)
      if (!IsNameChar(c)) return fail("bad name \"" + item.name + "\" (letters, digits and _ only)");
    if (!names.insert(item.name).second) return fail("name \"" + item.name + "\" used twice");
    item.kind = words[2];
    for (std::size_t i = 3; i < words.size(); ++i) {
      const std::size_t eq = words[i].find('=');
      if (eq == std::string::npos || eq == 0) return fail("expected key=value, found \"" + words[i] + "\"");
      std::string key = words[i].substr(0, eq);
      for (const auto& [k, v] : item.attrs)
        if (k == key) return fail("key \"" + key + "\" given twice");
      item.attrs.emplace_back(std::move(key), words[i].substr(eq + 1));
    }
    items.push_back(std::move(item));
  }
  return true;
}

const std::string* ItemReader::Find(std::string_view key) {
  for (std::size_t i = 0; i < item_.attrs.size(); ++i)
    if (item_.attrs[i].first == key) {
      used_[i] = true;
      return &item_.attrs[i].second;
    }
  return nullptr;
}

bool ItemReader::Fail(std::string message) {
  if (error_.empty())
    error_ = "line " + std::to_string(item_.line) + " (" + item_.name + "): " + std::move(message);
  return false;
}

bool ItemReader::Text(std::string_view key, std::string& out, std::string_view fallback) {
  const std::string* v = Find(key);
  out = v ? *v : std::string(fallback);
  return true;
}

bool ItemReader::Choice(std::string_view key, std::string& out, std::string_view fallback,
                        std::initializer_list<std::string_view> choices) {
  Text(key, out, fallback);
  std::string list;
  for (std::string_view c : choices) {
    if (c == out) return true;
    list += (list.empty() ? "" : ", ") + std::string(c);
  }
  return Fail("\"" + std::string(key) + "\" must be one of " + list);
}

bool ItemReader::Int(std::string_view key, int& out, int fallback, int lo, int hi) {
  const std::string* v = Find(key);
  if (!v) {
    out = fallback;
    return true;
  }
  long long n = 0;
  const bool negative = !v->empty() && (*v)[0] == '-';
  if (!ParseNumber(negative ? std::string_view(*v).substr(1) : std::string_view(*v), n))
    return Fail("\"" + std::string(key) + "\" is not a number");
  if (negative) n = -n;
  if (n < lo || n > hi)
    return Fail("\"" + std::string(key) + "\" must be " + std::to_string(lo) + " to " + std::to_string(hi));
  out = static_cast<int>(n);
  return true;
}

bool ItemReader::Size(std::string_view key, int& w, int& h) {
  const std::string* v = Find(key);
  if (!v) return Fail("\"" + std::string(key) + "\" is missing");
  const std::size_t x = v->find('x');
  long long a = 0, b = 0;
  if (x == std::string::npos || !ParseNumber(std::string_view(*v).substr(0, x), a) ||
      !ParseNumber(std::string_view(*v).substr(x + 1), b))
    return Fail("\"" + std::string(key) + "\" must be WIDTHxHEIGHT");
  // The 320 x 240 pictures are exactly half, so sizes must halve evenly.
  if (a < 2 || b < 2 || a > 4096 || b > 4096 || a % 2 || b % 2)
    return Fail("\"" + std::string(key) + "\" must be even sizes from 2 to 4096");
  w = static_cast<int>(a);
  h = static_cast<int>(b);
  return true;
}

bool ItemReader::Colour(std::string_view key, Color& out, Color fallback) {
  const std::string* v = Find(key);
  if (!v) {
    out = fallback;
    return true;
  }
  if (!ParseColor(*v, out)) return Fail("\"" + std::string(key) + "\" must be a colour RRGGBB");
  return true;
}

bool ItemReader::Finish() {
  for (std::size_t i = 0; i < used_.size(); ++i)
    if (!used_[i]) return Fail("unknown key \"" + item_.attrs[i].first + "\"");
  return error_.empty();
}

}  // namespace zelph::assetgen
