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

// Parses one value line; on Bad, `why` says what is wrong with it.
LineResult ParseValueLine(std::string_view line, RegEntry& out, const char*& why) {
  why = "a value line must be \"name\"=value or @=value";
  if (line.front() == '@') {
    out.name.clear();
    line.remove_prefix(1);
  } else {
    auto name = TakeQuoted(line);
    if (!name) {
      why = "the value's name has no closing quote";
      return LineResult::Bad;
    }
    out.name = *name;
  }
  line = Trim(line);
  if (line.empty() || line.front() != '=') return LineResult::Bad;
  line = Trim(line.substr(1));
  if (line.starts_with("\"")) {
    auto value = TakeQuoted(line);
    if (!value || !Trim(line).empty()) {
      why = "the string value has no closing quote, or text follows it";
      return LineResult::Bad;
    }
    out.value = *value;
    return LineResult::Value;
  }
  if (line.starts_with("dword:")) {
    why = "a dword value takes one to eight hexadecimal digits";
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
    why = "a hex(1) value takes pairs of hexadecimal bytes separated by commas";
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
  why = "the value is neither a quoted string, dword: nor hex";
  return LineResult::Bad;
}

// Physical lines joined where a line ends with a backslash (long hex values are wrapped that way), each
// with the number of the physical line it starts on.
struct LogicalLine {
  std::size_t number;
  std::string text;
};

std::vector<LogicalLine> LogicalLines(std::string_view text) {
  std::vector<LogicalLine> lines;
  std::string pending;
  bool continuing = false;
  std::size_t pos = 0, number = 0, startNumber = 1;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    ++number;
    if (!continuing) startNumber = number;
    bool continues = raw.ends_with("\\") && !raw.starts_with("[") && !raw.ends_with("\"\\");
    if (continues) raw.remove_suffix(1);
    pending.append(raw);
    continuing = continues;
    if (!continuing) {
      lines.push_back(LogicalLine{startNumber, std::move(pending)});
      pending.clear();
    }
  }
  if (continuing) lines.push_back(LogicalLine{startNumber, std::move(pending)});
  return lines;
}

// UTF-16LE text after its byte-order mark, as UTF-8; nullopt when the byte count is odd.
std::optional<std::string> Utf16LeToUtf8(std::string_view bytes) {
  if (bytes.size() % 2) return std::nullopt;
  std::u16string wide(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return Utf16ToUtf8(wide);
}

std::optional<std::vector<RegTextKey>> Fail(RegTextError* error, std::size_t line, std::string reason) {
  if (error) *error = RegTextError{line, std::move(reason)};
  return std::nullopt;
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

std::optional<std::vector<RegTextKey>> ParseRegText(std::string_view text, RegTextError* error) {
  std::string decoded;
  if (text.starts_with("\xFF\xFE")) {
    auto utf8 = Utf16LeToUtf8(text.substr(2));
    if (!utf8) return Fail(error, 0, "UTF-16 text with an odd number of bytes (cut short?)");
    decoded = std::move(*utf8);
    text = decoded;
  } else if (text.starts_with("\xFE\xFF")) {
    return Fail(error, 0, "UTF-16 big-endian text; save it as UTF-8 or UTF-16 little-endian");
  } else if (text.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  std::vector<RegTextKey> keys;
  bool sawHeader = false;
  bool skippingKey = false;
  for (const LogicalLine& logical : LogicalLines(text)) {
    std::string_view line = logical.text;
    if (line.empty() || line.front() == ';') continue;
    if (!sawHeader) {
      if (line != kRegTextHeader && line != "REGEDIT4") {
        return Fail(error, logical.number, "the first line must be \"" + std::string(kRegTextHeader) + "\"");
      }
      sawHeader = true;
      continue;
    }
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) return Fail(error, logical.number, "a key line must be [KEY\\PATH]");
      std::string_view path = line.substr(1, line.size() - 2);
      skippingKey = path.front() == '-';
      if (!skippingKey) keys.push_back(RegTextKey{std::string(path), {}});
      continue;
    }
    if (line.front() != '"' && line.front() != '@') {
      return Fail(error, logical.number, "neither a [key], a \"value\" nor a ; comment");
    }
    if (keys.empty() && !skippingKey) return Fail(error, logical.number, "a value before the first [key]");
    RegEntry entry;
    const char* why = "";
    LineResult r = ParseValueLine(line, entry, why);
    if (r == LineResult::Bad) return Fail(error, logical.number, why);
    if (r == LineResult::Value && !skippingKey) keys.back().values.push_back(std::move(entry));
  }
  if (!sawHeader) return Fail(error, 0, "the file is empty or has no header line");
  return keys;
}

}  // namespace zelph::platform
