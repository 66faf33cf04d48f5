#include "platform/reg_text.h"

#include <cstdio>

#include "platform/utf8.h"

namespace zelph::platform {

namespace {

bool HasControlChars(std::string_view s) {
  for (unsigned char c : s) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

std::string Quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

// UTF-8 to UTF-16 code units; a byte that does not start a well-formed character is taken as Latin-1, so
// the text after it survives.
std::u16string Utf8OrLatin1ToUtf16(std::string_view s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    Utf8Char c = DecodeUtf8At(s, i);
    if (c.length == 0) {
      out += static_cast<char16_t>(static_cast<unsigned char>(s[i]));
      ++i;
    } else {
      AppendUtf16(out, c.code);
      i += c.length;
    }
  }
  return out;
}

std::string FormatValue(const RegEntry& e) {
  std::string line = e.name.empty() ? "@" : Quote(e.name);
  line += '=';
  if (auto* d = std::get_if<std::uint32_t>(&e.value)) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(*d));
    return line + buf;
  }
  const std::string& s = std::get<std::string>(e.value);
  if (!HasControlChars(s)) return line + Quote(s);
  // A plain string cannot hold line breaks; regedit writes such text as UTF-16 bytes.
  line += "hex(1):";
  std::u16string wide = Utf8OrLatin1ToUtf16(s);
  wide += u'\0';
  char buf[8];
  for (std::size_t i = 0; i < wide.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02x,%02x", wide[i] & 0xFF, wide[i] >> 8);
    if (i) line += ',';
    line += buf;
  }
  return line;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Reads a quoted string at the front of `s`, removing it; nullopt when unterminated.
std::optional<std::string> TakeQuoted(std::string_view& s) {
  if (s.empty() || s.front() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < s.size(); ++i) {
    char c = s[i];
    if (c == '\\' && i + 1 < s.size()) {
      out += s[++i];
    } else if (c == '"') {
      s.remove_prefix(i + 1);
      return out;
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view s) {
  std::vector<std::uint8_t> bytes;
  while (true) {
    s = Trim(s);
    if (s.empty()) return bytes;
    if (s.size() < 2 || HexDigit(s[0]) < 0 || HexDigit(s[1]) < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(HexDigit(s[0]) * 16 + HexDigit(s[1])));
    s.remove_prefix(2);
    s = Trim(s);
    if (s.empty()) return bytes;
    if (s.front() != ',') return std::nullopt;
    s.remove_prefix(1);
  }
}

enum class LineResult { Value, Skipped, Bad };

LineResult ParseValueLine(std::string_view line, RegEntry& out) {
  if (line.front() == '@') {
    out.name.clear();
    line.remove_prefix(1);
  } else {
    auto name = TakeQuoted(line);
    if (!name) return LineResult::Bad;
    out.name = *name;
  }
  line = Trim(line);
  if (line.empty() || line.front() != '=') return LineResult::Bad;
  line = Trim(line.substr(1));
  if (line.starts_with("\"")) {
    auto value = TakeQuoted(line);
    if (!value || !Trim(line).empty()) return LineResult::Bad;
    out.value = *value;
    return LineResult::Value;
  }
  if (line.starts_with("dword:")) {
    std::string_view digits = Trim(line.substr(6));
    if (digits.empty() || digits.size() > 8) return LineResult::Bad;
    std::uint32_t v = 0;
    for (char c : digits) {
      int d = HexDigit(c);
      if (d < 0) return LineResult::Bad;
      v = v * 16 + static_cast<std::uint32_t>(d);
    }
    out.value = v;
    return LineResult::Value;
  }
  if (line.starts_with("hex(1):")) {
    auto bytes = ParseHexBytes(line.substr(7));
    if (!bytes || bytes->size() % 2) return LineResult::Bad;
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < bytes->size(); i += 2) {
      char16_t u = static_cast<char16_t>((*bytes)[i] | ((*bytes)[i + 1] << 8));
      if (u == 0) break;
      wide += u;
    }
    out.value = Utf16ToUtf8(wide);
    return LineResult::Value;
  }
  if (line == "-" || line.starts_with("hex")) return LineResult::Skipped;  // deletions and other types
  return LineResult::Bad;
}

}  // namespace

std::string FormatRegText(const std::vector<RegTextKey>& keys) {
  std::string text(kRegTextHeader);
  text += "\n";
  for (const RegTextKey& k : keys) {
    text += "\n[" + k.path + "]\n";
    for (const RegEntry& e : k.values) text += FormatValue(e) + "\n";
  }
  return text;
}

// Physical lines joined where a line ends with a backslash (long hex values are wrapped that way).
static std::vector<std::string> LogicalLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string pending;
  bool continuing = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    bool continues = raw.ends_with("\\") && !raw.starts_with("[") && !raw.ends_with("\"\\");
    if (continues) raw.remove_suffix(1);
    pending.append(raw);
    continuing = continues;
    if (!continuing) {
      lines.push_back(std::move(pending));
      pending.clear();
    }
  }
  if (continuing) lines.push_back(std::move(pending));
  return lines;
}

std::optional<std::vector<RegTextKey>> ParseRegText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<RegTextKey> keys;
  bool sawHeader = false;
  bool skippingKey = false;
  for (const std::string& logical : LogicalLines(text)) {
    std::string_view line = logical;
    if (line.empty() || line.front() == ';') continue;
    if (!sawHeader) {
      if (line != kRegTextHeader && line != "REGEDIT4") return std::nullopt;
      sawHeader = true;
      continue;
    }
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) return std::nullopt;
      std::string_view path = line.substr(1, line.size() - 2);
      skippingKey = path.front() == '-';
      if (!skippingKey) keys.push_back(RegTextKey{std::string(path), {}});
      continue;
    }
    if (line.front() != '"' && line.front() != '@') return std::nullopt;
    if (keys.empty() && !skippingKey) return std::nullopt;
    RegEntry entry;
    LineResult r = ParseValueLine(line, entry);
    if (r == LineResult::Bad) return std::nullopt;
    if (r == LineResult::Value && !skippingKey) keys.back().values.push_back(std::move(entry));
  }
  if (!sawHeader) return std::nullopt;
  return keys;
}

}  // namespace zelph::platform
